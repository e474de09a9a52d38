#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Number texts as an entry field reads and writes them.

// Text to the nearest double. Leading and trailing blanks, a sign and an exponent ("E" or "e"
// with an optional sign) are accepted; `decimalSeparator` is the one separator recognised.
// Raises EConvertError "'<text>' is not a valid floating point value" otherwise, for the empty
// text and a lone sign too.
double TextToFloat(std::string_view text, std::string_view decimalSeparator);

// A number in fixed-point form with `decimals` fraction digits (0 to 9 make sense): rounded half
// away from zero on its 18-digit decimal expansion, no grouping, at least one integer digit.
std::string FloatToFixed(double value, int decimals, std::string_view decimalSeparator);

// A whole number in the 32-bit signed range written as optional "-" and decimal digits, as the
// general format writes one; anything else raises EConvertError "'<text>' is not a valid
// integer value".
std::int32_t TextToInt32(std::string_view text);
