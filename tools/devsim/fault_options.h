#pragma once
// Misbehaviour a simulated ventilator can be told to show, so that the link's
// handling of lost, late, wrong and garbled answers can be exercised.
// Report counts include every report the device produces (answers and data),
// counted from 1 since the faults were last set.

#include <cstdint>

namespace somnexa::devsim {

enum class AnswerFault {
    None,
    WrongCode,       // answers to the state query and the stop carry another command code
    WrongThenRight,  // such a wrong answer comes first, then the right one
};

struct FaultOptions {
    int dropEvery = 0;            // every k-th report is lost (0: none)
    int silentAfterReports = -1;  // after this many reports the device stops answering (-1: never) ...
    int silentForMs = -1;         // ... for this many milliseconds of the link's clock (-1: for good)
    bool busy = false;            // the state query answers state 2 (busy) instead of 1 (idle)
    bool failWrites = false;      // every output report write fails
    AnswerFault answers = AnswerFault::None;
    int garbageEvery = 0;         // a report of random bytes follows every k-th report
    int duplicateEvery = 0;       // every k-th report is sent twice
    int swapEvery = 0;            // the two reports of every k-th read request come in reverse order
    int vanishAfterReports = -1;  // the device disappears after this many reports: a read error
                                  // and a device-change notice (-1: never)
    std::uint32_t seed = 1;       // contents of the garbage reports
};

}  // namespace somnexa::devsim
