#pragma once
// Counts the bytes allocated through malloc and its relatives by the whole
// process (Qt, GraphicsMagick, the standard library), to check that a
// refused image costs no pixel memory. It replaces the allocator's entry
// points, which the sanitizer build's runtime owns: there it is not
// available and the tests that need it check only the outcome.
#include <cstddef>

namespace allocmeter {

bool Available();
// Starts a measurement at the current level of live allocations.
void Start();
// The largest rise of live allocated bytes since Start.
size_t PeakSinceStart();

} // namespace allocmeter
