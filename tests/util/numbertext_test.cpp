#include "util/numbertext.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

namespace {

struct WholeCase {
    const char* text;
    bool whole;
    double value;
};

class NumberTextWhole : public ::testing::TestWithParam<WholeCase> {};

TEST_P(NumberTextWhole, AcceptsOnlyTheNumberSyntax) {
    double value = -99;
    EXPECT_EQ(numbertext::ParseWhole(GetParam().text, &value), GetParam().whole)
        << '"' << GetParam().text << '"';
    if (GetParam().whole) {
        EXPECT_DOUBLE_EQ(value, GetParam().value);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Syntax, NumberTextWhole,
    ::testing::Values(WholeCase{"45", true, 45}, WholeCase{" 45", true, 45},
                      WholeCase{"45 ", false, 0}, WholeCase{"", true, 0},
                      WholeCase{" ", false, 0}, WholeCase{"+12.5", true, 12.5},
                      WholeCase{"-5", true, -5}, WholeCase{".5", true, 0.5},
                      WholeCase{"5.", true, 5}, WholeCase{".", false, 0},
                      WholeCase{"1e1", true, 10}, WholeCase{"2.5E-1", true, 0.25},
                      WholeCase{"1e", false, 0}, WholeCase{"12abc", false, 0},
                      WholeCase{"inf", false, 0}, WholeCase{"nan", false, 0},
                      WholeCase{"0x10", false, 0}, WholeCase{"12,5", false, 0},
                      WholeCase{"1 000", false, 0}, WholeCase{"45\n", false, 0}));

TEST(NumberTextLeading, ReadsLikeAtofAndAtoi) {
    EXPECT_DOUBLE_EQ(numbertext::LeadingDecimal("1e1"), 10);
    EXPECT_DOUBLE_EQ(numbertext::LeadingDecimal("12.5abc"), 12.5);
    EXPECT_EQ(numbertext::LeadingDecimal("abc"), 0.0);
    EXPECT_EQ(numbertext::LeadingDecimal("nan"), 0.0);
    EXPECT_EQ(numbertext::LeadingDecimal("-infinity"), 0.0);
    EXPECT_EQ(numbertext::LeadingInteger("7a"), 7);
    EXPECT_EQ(numbertext::LeadingInteger("a7"), 0);
    EXPECT_EQ(numbertext::LeadingInteger("  -12"), -12);
    EXPECT_EQ(numbertext::LeadingInteger("3.9"), 3);
}

TEST(NumberTextLeading, OutOfRangeValuesSaturate) {
    EXPECT_EQ(numbertext::LeadingDecimal("1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(numbertext::LeadingDecimal("-1e999"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(numbertext::LeadingDecimal("1e-999"), 0.0);
    EXPECT_EQ(numbertext::LeadingDecimal("0.000000001e-999"), 0.0);
    EXPECT_EQ(numbertext::LeadingDecimal(std::string(400, '9')),
              std::numeric_limits<double>::infinity());
    EXPECT_EQ(numbertext::LeadingInteger("99999999999999999999"), 2147483647);
    EXPECT_EQ(numbertext::LeadingInteger("-99999999999999999999"), -2147483647 - 1);
}

TEST(NumberTextLocale, DecimalCommaLocaleDoesNotChangeReading) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr &&
        std::setlocale(LC_NUMERIC, "fr_FR.UTF-8") == nullptr)
        GTEST_SKIP() << "no decimal-comma locale installed";
    double value = 0;
    EXPECT_TRUE(numbertext::ParseWhole("12.5", &value));
    EXPECT_DOUBLE_EQ(value, 12.5);
    EXPECT_FALSE(numbertext::ParseWhole("12,5", &value));
    std::setlocale(LC_NUMERIC, saved.c_str());
}

} // namespace
