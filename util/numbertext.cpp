#include "util/numbertext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace numbertext {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// White space of the C locale.
bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::size_t SkipSpace(std::string_view text, std::size_t i) {
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    return i;
}

std::size_t SkipDigits(std::string_view text, std::size_t i) {
    while (i < text.size() && IsDigit(text[i]))
        ++i;
    return i;
}

// For a number out of the double range: true when it is too large (strtod's HUGE_VAL), false when
// too small (zero). Decided by the decimal order of magnitude, which only has to be roughly right
// this far out.
bool OverflowsUpward(std::string_view number) {
    const std::size_t e = number.find_first_of("eE");
    const std::string_view mantissa = number.substr(0, e);
    long long exponent = 0;
    if (e != std::string_view::npos) {
        std::size_t i = e + 1;
        const bool negative = i < number.size() && number[i] == '-';
        if (i < number.size() && (number[i] == '-' || number[i] == '+'))
            ++i;
        for (; i < number.size() && exponent < 1000000000; ++i)
            exponent = exponent * 10 + (number[i] - '0');
        if (negative)
            exponent = -exponent;
    }
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t firstSignificant = mantissa.find_first_of("123456789");
    if (firstSignificant == std::string_view::npos)
        return false;
    const long long order = firstSignificant < point ? (long long)(point - firstSignificant)
                                                     : -(long long)(firstSignificant - point - 1);
    return order + exponent > 0;
}

} // namespace

std::size_t ScanDecimal(std::string_view text, double* value) {
    *value = 0.0;
    std::size_t i = SkipSpace(text, 0);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t mantissaStart = i;
    std::size_t end = SkipDigits(text, i);
    bool digits = end > mantissaStart;
    if (end < text.size() && text[end] == '.') {
        const std::size_t fractionEnd = SkipDigits(text, end + 1);
        digits = digits || fractionEnd > end + 1;
        end = fractionEnd;
    }
    if (!digits)
        return 0;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t e = end + 1;
        if (e < text.size() && (text[e] == '+' || text[e] == '-'))
            ++e;
        const std::size_t exponentEnd = SkipDigits(text, e);
        if (exponentEnd > e)
            end = exponentEnd; // an "e" without digits is not part of the number
    }

    double magnitude = 0.0;
    const auto result = std::from_chars(text.data() + mantissaStart, text.data() + end, magnitude,
                                        std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range)
        magnitude = OverflowsUpward(text.substr(mantissaStart, end - mantissaStart))
                        ? std::numeric_limits<double>::infinity()
                        : 0.0;
    *value = negative ? -magnitude : magnitude;
    return end;
}

double LeadingDecimal(std::string_view text) {
    double value = 0.0;
    ScanDecimal(text, &value);
    return value;
}

int32_t LeadingInteger(std::string_view text) {
    std::size_t i = SkipSpace(text, 0);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int64_t magnitude = 0;
    const int64_t limit = int64_t(std::numeric_limits<int32_t>::max()) + 1;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > limit)
            magnitude = limit;
    }
    const int64_t signedValue = negative ? -magnitude : magnitude;
    if (signedValue > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    return int32_t(signedValue);
}

bool ParseWhole(std::string_view text, double* value) {
    const std::size_t used = ScanDecimal(text, value);
    // Blanks after the number are no part of it: a cell typed as "42 " is 42. A line break is
    // not a blank: "45\n" pasted into a cell is more than a number.
    std::size_t end = used;
    while (end < text.size() && (text[end] == ' ' || text[end] == '\t'))
        ++end;
    return (used > 0 || text.empty()) && end == text.size();
}

} // namespace numbertext
