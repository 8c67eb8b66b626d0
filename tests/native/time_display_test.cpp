// The display rule: field texts and the split of a count into hh:mm:ss.
#include "core/time_display.h"

#include <gtest/gtest.h>

#include <limits>

namespace zantiro::core {
namespace {

struct FieldCase {
    std::int32_t n;
    const char* shown;
};

class TimeFieldTextTable : public ::testing::TestWithParam<FieldCase> {};

TEST_P(TimeFieldTextTable, KeepsTheLastTwoCharactersOfTheDecimalTextWithZerosInFront) {
    EXPECT_EQ(TimeFieldText(GetParam().n), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Fields,
                         TimeFieldTextTable,
                         ::testing::Values(FieldCase{0, "00"},
                                           FieldCase{7, "07"},
                                           FieldCase{42, "42"},
                                           FieldCase{100, "00"},
                                           FieldCase{123, "23"},
                                           FieldCase{-1, "-1"},
                                           FieldCase{-5, "-5"},
                                           FieldCase{-12, "12"},
                                           FieldCase{std::numeric_limits<std::int32_t>::max(), "47"},
                                           FieldCase{std::numeric_limits<std::int32_t>::min(), "48"}));

struct SplitCase {
    std::int32_t seconds;
    const char* hhmmss;
};

class SplitTable : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitTable, TruncatesTowardZeroAndKeepsTheSignInEveryField) {
    const TimeFields fields = splitTime(GetParam().seconds);
    EXPECT_EQ(fields.hours + ":" + fields.minutes + ":" + fields.seconds, GetParam().hhmmss);
}

INSTANTIATE_TEST_SUITE_P(Counts,
                         SplitTable,
                         ::testing::Values(SplitCase{0, "00:00:00"},
                                           SplitCase{3725, "01:02:05"},
                                           SplitCase{359999, "99:59:59"},
                                           SplitCase{360000, "00:00:00"},
                                           SplitCase{450000, "25:00:00"},
                                           SplitCase{5400, "01:30:00"},
                                           SplitCase{-1, "00:00:-1"},
                                           SplitCase{-300, "00:-5:00"},
                                           SplitCase{-301, "00:-5:-1"},
                                           SplitCase{-3700, "-1:-1:40"},
                                           SplitCase{-120, "00:-2:00"},
                                           SplitCase{std::numeric_limits<std::int32_t>::max(), "23:14:07"},
                                           SplitCase{std::numeric_limits<std::int32_t>::min(), "23:14:-8"}));

}  // namespace
}  // namespace zantiro::core
