// FakeHid: a scripted stand-in for the hidapi C library, for the transfer fuzz target. It answers
// at once from the script (FakeHidScript.h), never blocks, and aborts on misuse of its handles.
#pragma once

#include <cstddef>
#include <cstdint>

namespace FakeHid {

// What the code under test did with the fake since the last load.
struct Counters
{
    int openHandles = 0; // opened and not yet closed
    int openEnumerations = 0; // enumerated and not yet freed
    long writes = 0;
    long reads = 0;
    long answers = 0; // waiting reads that got a report (length > 0)
};

// Starts a new run on the script (the bytes stay the caller's and must outlive the run).
void load(const std::uint8_t *script, std::size_t size);
const Counters &counters();

} // namespace FakeHid
