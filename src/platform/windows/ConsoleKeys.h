#pragma once

#include <windows.h>

#include <string>

// Reads one whole key from the console's input records (see console/WholeKey.h), and nothing
// after it: a key the console knows (F1, an arrow) is one record, which comes as the byte
// 0, as _getch gives it; the letters of the others come as UTF-8, an emoji's two halves
// joined, and a terminal's escape sequence that the console passes on as letters (wine's,
// on a Unix terminal) is taken whole by the rules of every front end. Returns the key;
// nothing at the end of input or when the console cannot be read.
std::string readOneKey(HANDLE input);
