#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "console/Console.h"

// The calls out to the JavaScript that runs the game: the page (web/page.js) or the Node
// launcher (web/npm/vellumfall.js), either of which hands its `host` object to the module.
// This is the one place where the front end meets JavaScript. Failures come back as errno
// values, so they read the same as on any other platform.
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
