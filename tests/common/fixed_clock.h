#pragma once
// Fixes qh::Clock for the life of one test and returns it to the system clock afterwards.
#include "common/Clock.h"

namespace qh::test {

class FixedClock {
public:
    explicit FixedClock(const QDateTime& at) { Clock::set([at] { return at; }); }
    ~FixedClock() { Clock::set({}); }
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;
};

}  // namespace qh::test
