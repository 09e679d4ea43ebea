#include "platform/web/HostKeyboard.h"

#include "console/StreamFailure.h"
#include "console/TerminalSignals.h"
#include "platform/web/HostCalls.h"

void HostKeyboard::setRaw(bool on) {
    if (on != raw) {
        host::setRawMode(on);
        raw = on;
    }
}

void HostKeyboard::settle() {
    try {
        pending.readFrom(*this, std::chrono::milliseconds(0));
    } catch (const StreamFailure&) {
        // The game is not under way yet: its first read meets the failure again.
    }
}

std::optional<std::string> HostKeyboard::nextKey(const std::function<void()>& showAgain) {
    showAgainAfterStop = &showAgain;
    shownAt = host::continues();
    for (;;) {
        std::optional<std::string> key = readWholeKey(*this, pending);
        const SignalKey* signalKey = nullptr;
        for (const SignalKey& candidate : kSignalKeys) {
            if (key && *key == std::string_view(&candidate.key, 1)) {
                signalKey = &candidate;
            }
        }
        if (signalKey == nullptr) {
            showAgainAfterStop = nullptr;
            return key;
        }
        // The terminal drops what was typed before its signal was taken.
        pending.clear();
        showDrawing();
        host::signalJob(signalKey->signal.name);
    }
}

bool HostKeyboard::readAvailable(std::string& chunk) {
    while (pending.empty()) {
        if (!pending.readFrom(*this, std::nullopt)) {
            return false;
        }
    }
    chunk += pending.take();
    return true;
}

void HostKeyboard::showDrawing() {
    if (drawing.empty()) {
        return;
    }
    const int error = host::write(host::Stream::Output, drawing);
    drawing.clear();
    if (error != 0) {
        failToWrite(error);
    }
}

bool HostKeyboard::readKeyBytes(std::string& bytes, std::optional<std::chrono::milliseconds> wait) {
    showDrawing();
    const int size = host::awaitBytes(wait);
    ++hostWaits;
    if (showAgainAfterStop != nullptr && host::continues() != shownAt) {
        shownAt = host::continues();
        (*showAgainAfterStop)();
        showDrawing();
    }
    if (size == host::kInputEnded) {
        return false;
    }
    if (size < 0) {
        failToRead(-size);
    }
    const std::size_t old = bytes.size();
    bytes.resize(old + static_cast<std::size_t>(size));
    host::takeInput(bytes.data() + old);
    return true;
}
