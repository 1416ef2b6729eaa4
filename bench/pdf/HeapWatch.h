#pragma once

#include <cstddef>

// The bytes the process holds on the C heap, now and at most since the last reset. It
// counts every allocation of the process, Qt's and qpdf's included.
namespace heapwatch {

std::size_t current();
std::size_t peak();
// Starts a new peak from what is held now.
void resetPeak();

} // namespace heapwatch
