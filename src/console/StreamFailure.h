#pragma once

#include <stdexcept>

// Thrown by a stream buffer when the system refuses to read or write: the session cannot
// go on. runProgram turns it into one line on standard error and exit status 1.
class StreamFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "cannot read input: " or "cannot write output: ", then the system's words for the error.
[[noreturn]] void failToRead(int errorNumber);
[[noreturn]] void failToWrite(int errorNumber);
