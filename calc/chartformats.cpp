#include "chartformats.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace {

__extension__ typedef unsigned __int128 UInt128;

constexpr std::uint64_t kPowersOfTen[] = {1ULL,
                                          10ULL,
                                          100ULL,
                                          1000ULL,
                                          10000ULL,
                                          100000ULL,
                                          1000000ULL,
                                          10000000ULL,
                                          100000000ULL,
                                          1000000000ULL,
                                          10000000000ULL,
                                          100000000000ULL,
                                          1000000000000ULL,
                                          10000000000000ULL,
                                          100000000000000ULL,
                                          1000000000000000ULL,
                                          10000000000000000ULL,
                                          100000000000000000ULL,
                                          1000000000000000000ULL,
                                          10000000000000000000ULL};

// The first 18 significant digits of a positive x, rounded to nearest (ties to even, as the C
// library rounds), exactly, for x from 0.01 to 10^18: x is m / 2^s with a 64-bit m, so
// m x 10^k fits in 128 bits. Returns false outside that range.
bool fastDigits18(Extended x, std::string &digits, int &exponent)
{
    int binaryExponent = 0;
    const Extended fraction = std::frexp(x, &binaryExponent);
    if (binaryExponent < -63 || binaryExponent > 63)
        return false;
    const auto m = static_cast<std::uint64_t>(std::ldexp(fraction, 64));
    const int shift = 64 - binaryExponent; // x = m / 2^shift, shift from 1 to 127
    int decimalExponent = static_cast<int>(std::floor(std::log10(static_cast<double>(x))));
    constexpr std::uint64_t kLow = 100000000000000000ULL; // 10^17
    constexpr std::uint64_t kHigh = 1000000000000000000ULL; // 10^18
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int k = 17 - decimalExponent;
        if (k < 0 || k > 19)
            return false;
        const UInt128 n = static_cast<UInt128>(m) * kPowersOfTen[k];
        UInt128 q = n >> shift;
        if (q < kLow) {
            --decimalExponent;
            continue;
        }
        if (q >= kHigh) {
            ++decimalExponent;
            continue;
        }
        const UInt128 remainder = n - (q << shift);
        const UInt128 half = static_cast<UInt128>(1) << (shift - 1);
        if (remainder > half || (remainder == half && (q & 1)))
            ++q;
        if (q == kHigh) {
            q = kLow;
            ++decimalExponent;
        }
        digits = std::to_string(static_cast<std::uint64_t>(q));
        exponent = decimalExponent + 1;
        return true;
    }
    return false;
}

} // namespace

DigitString MakeDigitString(Extended value, int precision, int decimals)
{
    DigitString result;
    if (value == 0.0L || !std::isfinite(value))
        return result;

    std::string digits;
    int exponent = 0;
    if (!fastDigits18(std::fabs(value), digits, exponent)) {
        // 18 significant digits, rounded to nearest by the C library: d.ddddddddddddddddde±x
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.17Le", std::fabs(value));
        const char *p = buffer;
        for (; *p && *p != 'e'; ++p) {
            if (*p >= '0' && *p <= '9')
                digits += *p;
        }
        exponent = std::atoi(p + 1) + 1;
    }

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
