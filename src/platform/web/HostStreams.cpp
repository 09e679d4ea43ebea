#include "platform/web/HostStreams.h"

#include "console/StreamFailure.h"
#include "console/WordWrapper.h"

bool HostInput::readChunk(std::string& chunk) {
    const int size = host::awaitInput(screen != nullptr ? screen->currentLine() : "", edited);
    if (size < 0) {
        failToRead(-size);
    }
    if (size == 0) {
        return false;
    }
    const std::size_t old = chunk.size();
    chunk.resize(old + static_cast<std::size_t>(size));
    host::takeInput(chunk.data() + old);
    if (screen != nullptr) {
        screen->startLine();
    }
    return true;
}

void HostOutput::writeChunk(std::string_view text) {
    if (const int error = host::write(stream, text); error != 0) {
        failToWrite(error);
    }
}
