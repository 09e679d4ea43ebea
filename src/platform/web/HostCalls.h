#pragma once

#include <chrono>
#include <climits>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "console/Console.h"

// The calls out to the JavaScript that runs the game: the page (web/page.js) or the Node
// launcher (web/npm/vellumfall.js), either of which hands its `host` object to the module.
// This is the one place where the front end meets JavaScript. Failures come back as errno
// values, so they read the same as on any other platform.
//
// A page shows the game's effects and reads whole lines itself (showsEffects, awaitInput,
// waitForKey, setColours and the rest). A terminal host (Node) only moves bytes, reads in
// raw mode and handles signals; the game decides everything else (awaitBytes onwards).
namespace host {

enum class Stream { Output = 1, Errors = 2 };

// Waits for the host's next piece of input (a line the player sent, what a pipe brought)
// and returns its size in bytes: 0 at the end of input, minus an errno when reading
// failed. `prompt` is what stands on the screen's last line, for a host that edits the
// line and draws it again. takeInput copies that piece to `destination`, which has room
// for it.
// `edited`: the host edits the line, on a terminal at both ends that takes escapes.
int awaitInput(std::string_view prompt, bool edited);
void takeInput(char* destination);

// The next bytes of standard input, a terminal's or a pipe's, waiting at most `wait` for
// them, or for ever without one: their count, 0 when none came (the time passed, or the game
// was continued after a stop), kInputEnded at the end of input, or minus the errno of a
// failure. takeInput copies them.
inline constexpr int kInputEnded = INT_MIN;
int awaitBytes(std::optional<std::chrono::milliseconds> wait);

// Returns 0 when all of `text` was written, else the errno of the failure.
int write(Stream stream, std::string_view text);

// What the host says of its terminal: whether standard input (0) or output (1) is one, and
// the value of an environment variable (TERM, NO_COLOR), if it is set.
bool isTerminal(int fd);
std::optional<std::string> environment(const char* name);
// Whether the host shows the game's effects itself (the page does): then it takes them
// whatever TERM says.
bool showsEffects();

// The width of the host's terminal in columns, 0 when it has none or does not say.
std::size_t columns();

// The line the host writes on standard error when a signal ends the game; empty for none.
void sayOnInterrupt(std::string_view line);

void setColours();
void resetColours();
void clearScreen();

// Waits for one key, or a tap on the page. Returns 0, or the errno of a failed read.
int waitForKey();

// The terminal's raw mode: every byte as it is typed, unechoed, and no key turned into a
// signal.
void setRawMode(bool on);
// Sends the signal called `name` to the foreground job, as a terminal does for its keys;
// returns when the game goes on (after a stop), if it does.
void signalJob(std::string_view name);
// How often the game was continued after a stop: what it showed may have been written over.
unsigned continues();
// What to write when the host gives the terminal back, at a signal or a failure before the
// game could (the colours' reset), and when it takes it again after a stop.
void keepTerminal(std::string_view giveBack, std::string_view takeAgain);
// The signals the host catches, by name, separated by blanks: at `deadly` it gives the
// terminal back and dies of the signal; at `stops` it gives it back, stops, and takes it
// again when continued.
void watchSignals(std::string_view deadly, std::string_view stops);

// Whether the host has a `showPosition` (a page that draws the map has; a terminal has not).
bool canShowPosition();
// Calls Module.host.showPosition(level, x, y, kind) with the player's new position: three
// integers (x grows east, y south, the level downward: 0 is the surface, 1 below ground,
// -1 to -4 the tree top and the clock tower's floors) and one string saying how the player
// got there. "move" went through a passage from the square next to it, which a map may draw;
// "start" (a new game), "death" and "return" (the fog sent the player back) put the player
// down at the start without one.
void showPosition(int level, int x, int y, PositionChange change);

}  // namespace host
