#pragma once

#include <termios.h>

#include <functional>
#include <string_view>

// What the game has changed on its terminal, kept where a signal handler can reach it,
// and the handlers that put it back: before the process dies of SIGINT, SIGTERM, SIGHUP
// or SIGQUIT, and before it stops for Ctrl-Z or for touching the terminal from the
// background (after which it sets the same things again). Everything here that a handler
// runs is async-signal-safe.
namespace terminal_state {

// The descriptors the game reads its keys from and writes its escape sequences to.
void watch(int inputFd, int outputFd);

// Writes the colour sequence and remembers to reset it.
void setColours(std::string_view colours);

// Puts the terminal in `keyMode` until leaveKeyMode, remembering `lineMode` to go back to.
void enterKeyMode(const termios& lineMode, const termios& keyMode);
void leaveKeyMode();

// Resets the colours and leaves the key mode, whichever of them is in force.
void restore();

// The line written on standard error, once the terminal is restored, when a signal ends the
// game; empty for none. At most a short line is kept.
void sayOnDeath(std::string_view line);

// How often the terminal has been resized (SIGWINCH) since the handlers were installed.
unsigned resizes();

// How often the game has been continued after a stop, since the handlers were installed:
// whatever it showed on the line it was reading may have been written over.
unsigned continues();

// What a wait shows the player (the prompt and its line, "Press any key"), and how to show
// it again: a stop (Ctrl-Z) gives the terminal to the shell, which writes over it, and the
// game is continued on a fresh line. Not for a handler: it runs where the game waits.
struct Redraw {
    // continues() when the wait was last shown.
    unsigned shownAt;
    std::function<void()> write;

    // Shows the wait again if the game was continued since it was last shown.
    void ifContinued();
};

// Installs the handlers, except for a signal the game was started with ignored: a game
// started by nohup, or in the background by a shell without job control, keeps it ignored.
void installSignalHandlers();

}  // namespace terminal_state
