#include "common/Clock.h"

namespace qh {
namespace {
std::function<QDateTime()>& fixedSource() {
    static std::function<QDateTime()> fixed;
    return fixed;
}
}  // namespace

QDateTime Clock::now() {
    const auto& fixed = fixedSource();
    return fixed ? fixed() : QDateTime::currentDateTime();
}

void Clock::set(std::function<QDateTime()> s) { fixedSource() = std::move(s); }

std::function<QDateTime()> Clock::source() { return fixedSource(); }

}  // namespace qh
