#include "console/StreamFailure.h"

#include <string>
#include <system_error>

void failToRead(int errorNumber) {
    throw StreamFailure("cannot read input: " + std::generic_category().message(errorNumber));
}

void failToWrite(int errorNumber) {
    throw StreamFailure("cannot write output: " + std::generic_category().message(errorNumber));
}
