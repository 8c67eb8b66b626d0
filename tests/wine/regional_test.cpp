// The user's regional settings: the time of day in the long time format, and the decimal separator.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/win32/services.h"
#include "forms/win32/text.h"
#include "tests/wine/wine_test_support.h"

namespace zantiro::wine_tests {
namespace {

std::vector<int> numbersIn(const std::string& text) {
    std::vector<int> numbers;
    const auto isDigit = [&text](std::size_t i) { return i < text.size() && text[i] >= '0' && text[i] <= '9'; };
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (isDigit(i)) {
            int value = 0;
            for (; isDigit(i); ++i) {
                value = value * 10 + (text[i] - '0');
            }
            numbers.push_back(value);
        }
    }
    return numbers;
}

bool showsHour(int shown, int hour) {
    const int twelveHour = hour % 12 == 0 ? 12 : hour % 12;
    return shown == hour || shown == twelveHour;
}

TEST(Regional, LongTimeTextShowsTheCurrentHourAndMinute) {
    forms::win32::Win32Regional regional;
    SYSTEMTIME before;
    GetLocalTime(&before);
    const std::string text = regional.longTimeText();
    SYSTEMTIME after;
    GetLocalTime(&after);

    ASSERT_FALSE(text.empty());
    const std::vector<int> numbers = numbersIn(text);
    ASSERT_GE(numbers.size(), 2u) << text;
    EXPECT_TRUE(showsHour(numbers[0], before.wHour) || showsHour(numbers[0], after.wHour)) << text;
    EXPECT_TRUE(numbers[1] == before.wMinute || numbers[1] == after.wMinute) << text;

    wchar_t separator[8] = {};
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_STIME, separator, 8);
    const std::string localeSeparator = forms::win32::narrow(separator);
    EXPECT_TRUE(text.find(':') != std::string::npos ||
                (!localeSeparator.empty() && text.find(localeSeparator) != std::string::npos))
        << text;
}

TEST(Regional, DecimalSeparatorIsTheOneNumbersAreWrittenWith) {
    forms::win32::Win32Regional regional;
    const std::string separator = regional.decimalSeparator();
    ASSERT_FALSE(separator.empty());
    EXPECT_EQ(separator.find_first_of("0123456789"), std::string::npos);

    wchar_t formatted[32] = {};
    ASSERT_GT(GetNumberFormatEx(LOCALE_NAME_USER_DEFAULT, 0, L"8.5", nullptr, formatted, 32), 0);
    EXPECT_NE(forms::win32::narrow(formatted).find("8" + separator + "5"), std::string::npos)
        << forms::win32::narrow(formatted);
}

}  // namespace
}  // namespace zantiro::wine_tests
