#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A terminal transcript, read from its file: how the game is started, then what happens.
//
// The file has one directive a line; "#" starts a comment line. Texts are in double
// quotes, with \e \r \n \t \\ \" and \xHH for bytes; "TEXT" * N is TEXT N times over.
// First the setup:
//   launchers NAME...      the launchers that play it (read by CMake, not here)
//   columns N              the terminal's width (80)
//   env NAME=VALUE, unset NAME   on top of TERM=xterm and no locale, NO_COLOR, COLUMNS
//   start job|own|wrapper|background   by a shell with job control (the default); as the
//                          terminal's own program (a session leader, no shell); from a
//                          script `sh -c 'GAME; echo after $?'` run by that shell; or by
//                          that shell in the background (`GAME &`)
//   input pipe, output pipe   that standard stream is a pipe instead of the terminal
//   ignore SIGNAME         inherited as ignored
//   nonblocking            the terminal's descriptors are left non-blocking
//   define NAME "BYTES"    names a text for `expect NAME`; defined again, it grows
// Texts used by many transcripts are defined in common.defs beside them, read first.
// Then the steps:
//   type "KEYS"            typed on the terminal (into the pipe with `input pipe`)
//   press "KEYS"           typed once the terminal is out of line mode: the game reads
//                          keys itself (the line editor, the key wait), as a player sees
//                          when the prompt or the key wait is drawn
//   close input            the input pipe is closed
//   pause MS               waits so long
//   expect "BYTES"         the next bytes the game writes, exactly; or expect NAME
//   rawmode, linemode      waits until the terminal is out of line mode, or back in it
//   signal SIGNAME         sent to the game
//   stopped                waits until the game is stopped
//   continue               sends SIGCONT, as `fg` does, and waits until it runs
//   foreground             gives the game the terminal and continues it, as `fg` does
//                          for a job started in the background
//   resize N               the terminal becomes N columns wide (the game gets SIGWINCH)
//   end exit N | end signal SIGNAME   the game ends so, having written nothing more
// A step written `STEP:NAME,NAME` is played for those launchers only.

enum class Start { Job, Own, Wrapper, Background };

struct Setup {
    unsigned short columns = 80;
    Start start = Start::Job;
    bool inputPipe = false;
    bool outputPipe = false;
    bool nonBlocking = false;
    std::vector<int> ignoredSignals;
    // In order; an empty value unsets the variable.
    std::vector<std::pair<std::string, std::optional<std::string>>> environment;
};

struct Step {
    enum class Kind {
        Type,
        Press,
        CloseInput,
        Pause,
        Expect,
        RawMode,
        LineMode,
        Signal,
        Stopped,
        Continue,
        Foreground,
        Resize,
        End
    };
    Kind kind;
    std::string text;
    // Milliseconds, columns, a signal; for End, the signal, or minus the exit status.
    int number = 0;
    int line = 0;
};

struct Script {
    Setup setup;
    std::vector<Step> steps;
};

// The transcript at `path` as `launcher` plays it; nothing, with `problem` set, when the
// file cannot be read or does not follow the rules above.
std::optional<Script> readScript(const std::string& path, std::string_view launcher,
                                 std::string& problem);

// One byte as a transcript writes it.
std::string escapedByte(char byte);
