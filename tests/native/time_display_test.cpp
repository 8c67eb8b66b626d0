// The display rule: field texts and the split of a count into hh:mm:ss.
#include "core/time_display.h"

#include <gtest/gtest.h>

#include <limits>

namespace zantiro::core {
namespace {

constexpr std::int32_t kMost = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kLeast = std::numeric_limits<std::int32_t>::min();

// A count, the text of a field holding it and the hh:mm:ss the split of it as seconds shows; null: not asked.
struct DisplayCase {
    std::int32_t n;
    const char* field;
    const char* hhmmss;
};

class DisplayTable : public ::testing::TestWithParam<DisplayCase> {};

// A field keeps the last two characters of the decimal text with zeros in front; the split truncates toward zero
// and keeps the sign in every field.
TEST_P(DisplayTable, FieldTextAndSplit) {
    const DisplayCase& c = GetParam();
    if (c.field != nullptr) {
        EXPECT_EQ(TimeFieldText(c.n), c.field) << c.n;
    }
    if (c.hhmmss != nullptr) {
        const TimeFields fields = splitTime(c.n);
        EXPECT_EQ(fields.hours + ":" + fields.minutes + ":" + fields.seconds, c.hhmmss) << c.n;
    }
}

INSTANTIATE_TEST_SUITE_P(Counts,
                         DisplayTable,
                         ::testing::Values(DisplayCase{0, "00", "00:00:00"},
                                           DisplayCase{7, "07", nullptr},
                                           DisplayCase{42, "42", nullptr},
                                           DisplayCase{100, "00", nullptr},
                                           DisplayCase{123, "23", nullptr},
                                           DisplayCase{-1, "-1", "00:00:-1"},
                                           DisplayCase{-5, "-5", nullptr},
                                           DisplayCase{-12, "12", nullptr},
                                           DisplayCase{kMost, "47", "23:14:07"},
                                           DisplayCase{kLeast, "48", "23:14:-8"},
                                           DisplayCase{3725, nullptr, "01:02:05"},
                                           DisplayCase{359999, nullptr, "99:59:59"},
                                           DisplayCase{360000, nullptr, "00:00:00"},
                                           DisplayCase{450000, nullptr, "25:00:00"},
                                           DisplayCase{5400, nullptr, "01:30:00"},
                                           DisplayCase{-300, nullptr, "00:-5:00"},
                                           DisplayCase{-301, nullptr, "00:-5:-1"},
                                           DisplayCase{-3700, nullptr, "-1:-1:40"},
                                           DisplayCase{-120, nullptr, "00:-2:00"}));

}  // namespace
}  // namespace zantiro::core
