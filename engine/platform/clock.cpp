#include "platform/clock.hpp"

#include <cctype>
#include <cstdio>
#include <ctime>

namespace yinshi {

namespace {
std::string FormatSeconds(int seconds) {
    constexpr int kDay = 24 * 3600;
    seconds %= kDay;
    if (seconds < 0) seconds += kDay;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}
}  // namespace

std::string SystemClock::Now() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr) return "00:00:00";
    return FormatSeconds((local.tm_hour * 60 + local.tm_min) * 60 + local.tm_sec);
}

std::string FakeClock::Now() {
    seconds_ += step_;
    return FormatSeconds(seconds_);
}

int MinutesOf(const std::string& hhmmss) {
    if (hhmmss.size() < 5) return 0;
    const auto tens = static_cast<unsigned char>(hhmmss[3]);
    const auto units = static_cast<unsigned char>(hhmmss[4]);
    if (!std::isdigit(tens) || !std::isdigit(units)) return 0;
    return (tens - '0') * 10 + (units - '0');
}

}  // namespace yinshi
