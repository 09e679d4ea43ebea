#pragma once

#include <string>
#include <string_view>

#include "console/ChunkedStreams.h"
#include "platform/web/HostCalls.h"

class WordWrapper;

// The game's text read from and written to the JavaScript host: a line the player sent
// from the page (Node's standard input is read through its keyboard: KeyboardInput.h), and
// the text either shows. A read suspends the game (ASYNCIFY) until the host has something,
// so the game's loop stays as it is.

// `screen`, where the input comes from the terminal the text is wrapped for: the host is
// shown the prompt, and each line read was ended with Enter, which took the cursor to the
// start of a line. `edited`, where the host edits the lines it hands over.
class HostInput final : public ChunkedInputBuffer {
public:
    HostInput(WordWrapper* screen, bool edited) : screen(screen), edited(edited) {}

protected:
    bool readChunk(std::string& chunk) override;

private:
    WordWrapper* screen;
    bool edited;
};

// With a wrapper, the text is wrapped on its way to the host's terminal.
class HostOutput final : public ChunkedOutputBuffer {
public:
    explicit HostOutput(host::Stream stream, WordWrapper* wrapper = nullptr)
        : ChunkedOutputBuffer(wrapper), stream(stream) {}

protected:
    void writeChunk(std::string_view text) override;

private:
    host::Stream stream;
};
