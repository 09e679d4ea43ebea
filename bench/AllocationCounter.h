#pragma once

#include <cstddef>

// How many times the global operator new has been called in this process. Linking
// AllocationCounter.cpp replaces the global operator new and delete with counting ones.
std::size_t allocationCount();
