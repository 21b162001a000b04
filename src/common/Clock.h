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
};

}  // namespace qh
