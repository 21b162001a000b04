#include "common/Clock.h"

namespace qh {
namespace {
std::function<QDateTime()>& source() {
    static std::function<QDateTime()> fixed;
    return fixed;
}
}  // namespace

QDateTime Clock::now() {
    const auto& fixed = source();
    return fixed ? fixed() : QDateTime::currentDateTime();
}

void Clock::set(std::function<QDateTime()> s) { source() = std::move(s); }

}  // namespace qh
