#pragma once

#include <string>
#include <string_view>

#include "console/ChunkedStreams.h"
#include "platform/web/HostCalls.h"

// The game's text read from and written to the JavaScript host: a line the player sent
// from the page, or what Node reads from its standard input. A read suspends the game
// (ASYNCIFY) until the host has something, so the game's loop stays as it is.

class HostInput final : public ChunkedInputBuffer {
protected:
    bool readChunk(std::string& chunk) override;
};

class HostOutput final : public ChunkedOutputBuffer {
public:
    explicit HostOutput(host::Stream stream) : stream(stream) {}

protected:
    void writeChunk(std::string_view text) override;

private:
    host::Stream stream;
};
