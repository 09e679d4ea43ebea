#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "console/WholeKey.h"

// The keyboard of a terminal host (Node), which only hands over bytes: whole keys are made
// of them here, by the rules of every front end. In raw mode the terminal turns no key into
// a signal, so the keyboard does: Ctrl-C, Ctrl-\ and Ctrl-Z are sent to the foreground job
// as the terminal would send them. Bytes read past a key wait for the next read, so what is
// typed ahead goes to whichever read comes next, as on any terminal.
class HostKeyboard final : public KeySource {
public:
    // Raw mode, until it is turned off; the terminal's line mode otherwise.
    void setRaw(bool on);
    // Lets the host take the signals that came meanwhile (a stop in setRaw, from the
    // background, and its continue) before the game shows what it waits on.
    void settle();
    bool isRaw() const { return raw; }

    // The next whole key that is no signal key; nothing at the end of input. `showAgain`
    // draws again what the game waits on, after the game was stopped and continued.
    std::optional<std::string> nextKey(const std::function<void()>& showAgain);
    // Appends to `chunk` whatever has come (in line mode, the lines typed); false at the end
    // of input. Throws StreamFailure when the input cannot be read.
    bool readAvailable(std::string& chunk);

    // Drawn on the screen before the keyboard next waits: the line editor's drawing, all of
    // it in one write, however many keys it answered.
    void draw(std::string_view bytes) { drawing += bytes; }
    void showDrawing();

    // How often the keyboard has waited for the host: nothing on the terminal, its width
    // included, can have changed for the game in between.
    unsigned waits() const { return hostWaits; }

private:
    bool readKeyBytes(std::string& bytes, std::optional<std::chrono::milliseconds> wait) override;

    bool raw = false;
    KeyBuffer pending;
    std::string drawing;
    const std::function<void()>* showAgainAfterStop = nullptr;
    unsigned shownAt = 0;
    unsigned hostWaits = 0;
};
