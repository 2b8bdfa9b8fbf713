#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Decimal numbers in text, read the same way everywhere and in every locale: optional leading
// white space, an optional sign, digits with an optional decimal point (at least one digit), and
// an optional exponent (e or E, optional sign, digits). Words such as "inf", "nan" or hexadecimal
// forms are not numbers.
namespace numbertext {

// Reads the longest number at the start of text into *value and returns the count of characters
// it took (leading white space included), or 0 with *value = 0 when text does not begin with a
// number. A magnitude beyond the double range reads as +/-infinity, one below it as zero.
std::size_t ScanDecimal(std::string_view text, double* value);

// The value of the number at the start of text, 0.0 when there is none (the rules of atof).
double LeadingDecimal(std::string_view text);

// The value of the integer at the start of text (optional blanks and sign, then digits), 0 when
// there is none; values beyond the 32-bit range saturate (the rules of atoi, without overflow).
int32_t LeadingInteger(std::string_view text);

// True when the whole of text is one number (nothing before it but white space, nothing after it
// but blanks: spaces and tabs) and stores it in *value. The empty text is a number too, with the
// value 0; white space alone is not.
bool ParseWhole(std::string_view text, double* value);

} // namespace numbertext
