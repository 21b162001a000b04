#pragma once
// "Now" for the whole program, injectable so that tests fix the clock.
#include <QDateTime>
#include <functional>

namespace qh {

class Clock {
public:
    static QDateTime now();
    // Tests fix the clock; an empty function returns to the system clock.
    static void set(std::function<QDateTime()> source);
    static std::function<QDateTime()> source();
};

// Work that moves the clock along (a demo ward's admissions, a printout "at" a moment)
// gives back the clock that was in force before it, when it ends or is told to: a
// caller's fixed clock is never replaced by the system clock behind its back.
class ClockOverride {
public:
    ClockOverride() : previous_(Clock::source()) {}
    ~ClockOverride() { restore(); }
    ClockOverride(const ClockOverride&) = delete;
    ClockOverride& operator=(const ClockOverride&) = delete;
    void restore() const { Clock::set(previous_); }

private:
    std::function<QDateTime()> previous_;
};

}  // namespace qh
