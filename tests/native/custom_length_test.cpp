// The custom countdown length: what the entry accepts, how it rounds, and where the seconds stop fitting.
#include "core/custom_length.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zantiro::core {
namespace {

struct EntryCase {
    const char* typed;
    const char* separator;
    EntryVerdict verdict;
    double minutes;
    std::int32_t seconds;
};

void PrintTo(const EntryCase& c, std::ostream* os) {
    *os << '"' << c.typed << "\" with separator \"" << c.separator << '"';
}

class CustomEntryTable : public ::testing::TestWithParam<EntryCase> {};

TEST_P(CustomEntryTable, JudgesAndConverts) {
    const EntryCase& c = GetParam();
    const CustomEntry entry = judgeCustomEntry(c.typed, c.separator);
    ASSERT_EQ(entry.verdict, c.verdict);
    if (c.verdict == EntryVerdict::Accept) {
        EXPECT_DOUBLE_EQ(entry.length.minutes, c.minutes);
        EXPECT_EQ(entry.length.seconds, c.seconds);
    }
}

constexpr auto Accept = EntryVerdict::Accept;
constexpr auto AskAgain = EntryVerdict::AskAgain;
constexpr auto Cancel = EntryVerdict::Cancel;

INSTANTIATE_TEST_SUITE_P(Entries,
                         CustomEntryTable,
                         ::testing::Values(EntryCase{"8.5", ".", Accept, 8.5, 510},
                                           EntryCase{" 2 ", ".", Accept, 2, 120},
                                           EntryCase{"1.26", ".", Accept, 1.3, 78},
                                           EntryCase{"0.15", ".", Accept, 0.2, 12},
                                           EntryCase{"-0.15", ".", Accept, -0.2, -12},
                                           EntryCase{"1.25", ".", Accept, 1.3, 78},
                                           EntryCase{"1.24999", ".", Accept, 1.2, 72},
                                           EntryCase{"0.04", ".", Accept, 0, 0},
                                           EntryCase{"0.05", ".", Accept, 0.1, 6},
                                           EntryCase{"-2", ".", Accept, -2, -120},
                                           EntryCase{"+3", ".", Accept, 3, 180},
                                           EntryCase{"90", ".", Accept, 90, 5400},
                                           EntryCase{".5", ".", Accept, 0.5, 30},
                                           EntryCase{"5.", ".", Accept, 5, 300},
                                           EntryCase{"007", ".", Accept, 7, 420},
                                           EntryCase{"8,5", ",", Accept, 8.5, 510},
                                           EntryCase{"8.5", ",", Accept, 8.5, 510},
                                           EntryCase{"0", ".", Accept, 0, 0},
                                           // the largest lengths whose seconds still fit a signed 32-bit count
                                           EntryCase{"35791394.1", ".", Accept, 35791394.1, 2147483646},
                                           EntryCase{"35791394.14", ".", Accept, 35791394.1, 2147483646},
                                           EntryCase{"-35791394.1", ".", Accept, -35791394.1, -2147483646},
                                           EntryCase{"35791394.15", ".", AskAgain, 0, 0},
                                           EntryCase{"35791394.2", ".", AskAgain, 0, 0},
                                           EntryCase{"-35791394.2", ".", AskAgain, 0, 0},
                                           EntryCase{"99999999999999999999999", ".", AskAgain, 0, 0},
                                           EntryCase{"abc", ".", AskAgain, 0, 0},
                                           EntryCase{"8.5min", ".", AskAgain, 0, 0},
                                           EntryCase{"1.2.3", ".", AskAgain, 0, 0},
                                           EntryCase{"-", ".", AskAgain, 0, 0},
                                           EntryCase{".", ".", AskAgain, 0, 0},
                                           EntryCase{"--2", ".", AskAgain, 0, 0},
                                           EntryCase{"8 5", ".", AskAgain, 0, 0},
                                           EntryCase{"\t2", ".", AskAgain, 0, 0},
                                           EntryCase{"", ".", Cancel, 0, 0},
                                           EntryCase{"    ", ".", Cancel, 0, 0}));

TEST(CustomEntry, ANumberTooLongForADoubleAsksAgain) {
    EXPECT_EQ(judgeCustomEntry(std::string(400, '9'), ".").verdict, EntryVerdict::AskAgain);
    EXPECT_EQ(judgeCustomEntry("-" + std::string(400, '9'), ".").verdict, EntryVerdict::AskAgain);
}

TEST(RoundToOneDecimal, RoundsHalvesAwayFromZeroOnTheDecimalDigitsNotTheBinaryValue) {
    EXPECT_DOUBLE_EQ(roundToOneDecimal(0.15), 0.2);  // the double lies just below 0.15
    EXPECT_DOUBLE_EQ(roundToOneDecimal(2.675), 2.7);
    EXPECT_DOUBLE_EQ(roundToOneDecimal(-0.25), -0.3);
    EXPECT_DOUBLE_EQ(roundToOneDecimal(0.04999), 0.0);
    EXPECT_DOUBLE_EQ(roundToOneDecimal(0.0), 0.0);
    EXPECT_FALSE(std::signbit(roundToOneDecimal(-0.04)));  // no negative zero reaches the count
    EXPECT_DOUBLE_EQ(roundToOneDecimal(123456789012.34), 123456789012.3);
    EXPECT_DOUBLE_EQ(roundToOneDecimal(1e20), 1e20);
}

TEST(MinutesToSeconds, RefusesWhatDoesNotFitInsteadOfWrapping) {
    EXPECT_EQ(minutesToSeconds(8.5), 510);
    EXPECT_EQ(minutesToSeconds(0.1), 6);  // 6.000000000000001 before rounding
    EXPECT_EQ(minutesToSeconds(-35791394.1), -2147483646);
    EXPECT_FALSE(minutesToSeconds(35791394.2).has_value());
    EXPECT_FALSE(minutesToSeconds(INFINITY).has_value());
    EXPECT_FALSE(minutesToSeconds(NAN).has_value());
}

}  // namespace
}  // namespace zantiro::core
