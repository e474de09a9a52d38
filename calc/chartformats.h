#pragma once

#include "regionalsettings.h"
#include "sixbytereal.h"

#include <string>

// A number as sign, significant decimal digits (no trailing zeros) and exponent E, such that
// the magnitude is 0.d1d2... x 10^E. Zero has no digits, E = 0 and no sign.
struct DigitString
{
    bool negative = false;
    std::string digits;
    int exponent = 0;

    bool isZero() const { return digits.empty(); }
};

// Marks "no limit" for the decimals of MakeDigitString.
inline constexpr int kUnlimitedDecimals = 1 << 20;

// The magnitude taken to 18 significant digits, then rounded half up to at most `precision`
// significant digits and at most `decimals` fraction digits.
DigitString MakeDigitString(Extended value, int precision, int decimals = kUnlimitedDecimals);

// The general format with `precision` significant digits (5 for the rate headings, 15 for the
// term): plain or scientific form ("1.2346E5", "1E-5").
std::string FormatGeneral(Extended value, int precision, const RegionalSettings &settings);

// The currency format: at most 10 significant digits and exactly 2 decimals, in the regional
// currency layout; values that round to 10^10 or more take the scientific general form.
std::string FormatCurrency(Extended value, const RegionalSettings &settings);
