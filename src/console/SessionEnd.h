#pragma once

// Thrown to end the session from wherever it ends (the quit command, the end of input),
// and caught in one place at the top of the program, which alone decides how the process
// ends. Unwinding this way means no follow-up question has to check for it.
struct SessionEnd {
    enum class Reason { PlayerQuit, EndOfInput };
    Reason reason;
};
