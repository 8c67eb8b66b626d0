// The display rule of the time labels.
#include "core/time_display.h"

namespace zantiro::core {

std::string TimeFieldText(std::int32_t n) {
    const std::string text = "00" + std::to_string(n);
    return text.substr(text.size() - 2);
}

TimeFields splitTime(std::int32_t seconds) {
    const std::int32_t hours = seconds / 3600;  // C++ division truncates toward zero
    const std::int32_t rest = seconds - 3600 * hours;
    const std::int32_t minutes = rest / 60;
    return {TimeFieldText(hours), TimeFieldText(minutes), TimeFieldText(rest - 60 * minutes)};
}

}  // namespace zantiro::core
