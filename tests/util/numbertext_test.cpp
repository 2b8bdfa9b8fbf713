#include "util/numbertext.h"

#include <clocale>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <utility>

namespace {

TEST(NumberTextWhole, AcceptsOnlyTheNumberSyntax) {
    const std::pair<const char*, double> numbers[] = {
        {"45", 45}, {" 45", 45},      {"", 0},     {"+12.5", 12.5}, {".5", 0.5},
        {"5.", 5},  {"2.5E-1", 0.25}, {"45 ", 45}, {"\t42 ", 42},   {" 1e1 \t", 10},
    };
    for (const auto& [text, expected] : numbers) {
        double value = -99;
        EXPECT_TRUE(numbertext::ParseWhole(text, &value)) << '"' << text << '"';
        EXPECT_DOUBLE_EQ(value, expected) << text;
    }
    for (const char* text : {" ", "\t", ".", "1e", "12abc", "inf", "nan", "0x10", "12,5", "1 000",
                             "4 5", "45 x", "45\n"}) {
        double value = 0;
        EXPECT_FALSE(numbertext::ParseWhole(text, &value)) << '"' << text << '"';
    }
}

TEST(NumberTextLeading, ReadsLikeAtofAndAtoiWithoutOverflow) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_DOUBLE_EQ(numbertext::LeadingDecimal("12.5abc"), 12.5);
    EXPECT_EQ(numbertext::LeadingDecimal("-infinity"), 0.0);
    EXPECT_EQ(numbertext::LeadingDecimal("-1e999"), -inf);
    EXPECT_EQ(numbertext::LeadingDecimal("0.000000001e-999"), 0.0);
    EXPECT_EQ(numbertext::LeadingDecimal(std::string(400, '9')), inf);
    EXPECT_EQ(numbertext::LeadingInteger("  -12"), -12);
    EXPECT_EQ(numbertext::LeadingInteger("3.9"), 3);
    EXPECT_EQ(numbertext::LeadingInteger("a7"), 0);
    EXPECT_EQ(numbertext::LeadingInteger("99999999999999999999"), 2147483647);
}

TEST(NumberTextLocale, DecimalCommaLocaleDoesNotChangeReading) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
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
