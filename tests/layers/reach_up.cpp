// Compiled as a file of a lower layer that includes a header of a higher one, which the
// build must refuse: see tests/layers/CMakeLists.txt.
#include VELLUMFALL_HIGHER_HEADER
