#include "chartformats.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string_view>

DigitString MakeDigitString(Extended value, int precision, int decimals)
{
    DigitString result;
    if (value == 0.0L || !std::isfinite(value))
        return result;

    // 18 significant digits, rounded to nearest by the C library: d.ddddddddddddddddde±x
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17Le", std::fabs(value));
    std::string digits;
    const char *p = buffer;
    for (; *p && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9')
            digits += *p;
    }
    int exponent = std::atoi(p + 1) + 1;

    const long long limit = std::min<long long>(static_cast<long long>(exponent) + decimals, precision);
    if (limit < 0)
        return result;
    const auto n = static_cast<std::size_t>(limit);
    const bool roundUp = n < digits.size() && digits[n] >= '5';
    digits.resize(std::min(n, digits.size()));
    if (roundUp) {
        std::size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9') {
            digits[i - 1] = '0';
            --i;
        }
        if (i == 0) {
            digits.insert(digits.begin(), '1');
            ++exponent;
        } else {
            ++digits[i - 1];
        }
    }
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
    if (digits.empty())
        return result;

    result.negative = std::signbit(value);
    result.digits = std::move(digits);
    result.exponent = exponent;
    return result;
}

namespace {

std::string scientific(const DigitString &d, const RegionalSettings &settings)
{
    std::string text = d.negative ? "-" : "";
    text += d.digits[0];
    if (d.digits.size() > 1) {
        text += settings.decimalSeparator;
        text.append(d.digits, 1);
    }
    text += 'E';
    text += std::to_string(d.exponent - 1);
    return text;
}

// The first `count` digits, filled up with zeros.
std::string leadingDigits(const DigitString &d, int count)
{
    std::string text = d.digits.substr(0, static_cast<std::size_t>(count));
    text.resize(static_cast<std::size_t>(count), '0');
    return text;
}

constexpr std::array<std::string_view, 4> kPositivePatterns = {"$n", "n$", "$ n", "n $"};
constexpr std::array<std::string_view, 16> kNegativePatterns = {
    "($n)", "-$n", "$-n", "$n-", "(n$)", "-n$", "n-$", "n$-",
    "-n $", "-$ n", "n $-", "$ n-", "$ -n", "n- $", "($ n)", "(n $)"};

} // namespace

std::string FormatGeneral(Extended value, int precision, const RegionalSettings &settings)
{
    const DigitString d = MakeDigitString(value, precision);
    if (d.isZero())
        return "0";
    const int e = d.exponent;
    if (e > precision || e < -3)
        return scientific(d, settings);

    std::string text = d.negative ? "-" : "";
    if (e <= 0) {
        text += '0';
        text += settings.decimalSeparator;
        text.append(static_cast<std::size_t>(-e), '0');
        text += d.digits;
    } else {
        text += leadingDigits(d, e);
        if (d.digits.size() > static_cast<std::size_t>(e)) {
            text += settings.decimalSeparator;
            text.append(d.digits, static_cast<std::size_t>(e));
        }
    }
    return text;
}

std::string FormatCurrency(Extended value, const RegionalSettings &settings)
{
    const DigitString d = MakeDigitString(value, 10, 2);
    const int e = d.exponent;
    if (e > 10)
        return scientific(d, settings);

    std::string number;
    if (e <= 0) {
        number = "0";
    } else {
        const std::string integer = leadingDigits(d, e);
        for (std::size_t i = 0; i < integer.size(); ++i) {
            if (i > 0 && (integer.size() - i) % 3 == 0)
                number += settings.thousandsSeparator;
            number += integer[i];
        }
    }
    number += settings.decimalSeparator;
    std::string fraction(static_cast<std::size_t>(std::max(0, -e)), '0');
    if (d.digits.size() > static_cast<std::size_t>(std::max(0, e)))
        fraction.append(d.digits, static_cast<std::size_t>(std::max(0, e)));
    fraction.resize(2, '0');
    number += fraction;

    const int positive = std::clamp(settings.positiveCurrencyPattern, 0, 3);
    const int negative = std::clamp(settings.negativeCurrencyPattern, 0, 15);
    const std::string_view pattern =
        d.negative ? kNegativePatterns[static_cast<std::size_t>(negative)]
                   : kPositivePatterns[static_cast<std::size_t>(positive)];
    std::string text;
    for (const char c : pattern) {
        if (c == '$')
            text += settings.currencySymbol;
        else if (c == 'n')
            text += number;
        else
            text += c;
    }
    return text;
}
