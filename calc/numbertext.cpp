#include "numbertext.h"

#include "chartformats.h"
#include "matherrors.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

[[noreturn]] void notAFloat(std::string_view text)
{
    throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Whether a number in C syntax that from_chars found out of range is tiny rather than huge:
// the decimal position of its first non-zero digit, plus its exponent, is negative.
bool isUnderflow(const std::string &plain)
{
    long long position = 0; // digits of the integer part from the first non-zero one
    bool seenNonZero = false;
    bool afterPoint = false;
    std::size_t i = 0;
    for (; i < plain.size() && plain[i] != 'e'; ++i) {
        const char c = plain[i];
        if (c == '.') {
            afterPoint = true;
        } else if (isDigit(c)) {
            if (c != '0')
                seenNonZero = true;
            if (!afterPoint && seenNonZero)
                ++position;
            else if (afterPoint && !seenNonZero)
                --position;
        }
    }
    long long exponent = 0;
    bool negativeExponent = false;
    for (++i; i < plain.size(); ++i) {
        if (plain[i] == '-')
            negativeExponent = true;
        else if (isDigit(plain[i]) && exponent < 1'000'000'000)
            exponent = exponent * 10 + (plain[i] - '0');
    }
    return position + (negativeExponent ? -exponent : exponent) < 0;
}

} // namespace

double TextToFloat(std::string_view text, std::string_view decimalSeparator)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;

    // Rebuild the number in the C locale's syntax, checking the grammar on the way:
    // [sign] digits [sep digits] [(E|e) [sign] digits], with digits on at least one side of sep.
    std::string plain;
    std::size_t i = begin;
    if (i < end && (text[i] == '+' || text[i] == '-'))
        plain += text[i++];
    bool mantissaDigits = false;
    while (i < end && isDigit(text[i])) {
        plain += text[i++];
        mantissaDigits = true;
    }
    if (!decimalSeparator.empty() && text.substr(i, decimalSeparator.size()) == decimalSeparator &&
        i < end) {
        plain += '.';
        i += decimalSeparator.size();
        while (i < end && isDigit(text[i])) {
            plain += text[i++];
            mantissaDigits = true;
        }
    }
    if (!mantissaDigits)
        notAFloat(text);
    if (i < end && (text[i] == 'e' || text[i] == 'E')) {
        plain += 'e';
        ++i;
        if (i < end && (text[i] == '+' || text[i] == '-'))
            plain += text[i++];
        bool exponentDigits = false;
        while (i < end && isDigit(text[i])) {
            plain += text[i++];
            exponentDigits = true;
        }
        if (!exponentDigits)
            notAFloat(text);
    }
    if (i != end)
        notAFloat(text);

    // from_chars rounds correctly to nearest and ignores the C locale. A magnitude beyond the
    // double range is no number a field can hold; one below it reads as zero.
    const char *first = plain.data() + (plain[0] == '+' ? 1 : 0);
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(first, plain.data() + plain.size(), value);
    if (ec == std::errc::result_out_of_range) {
        if (!isUnderflow(plain))
            notAFloat(text);
        return plain[0] == '-' ? -0.0 : 0.0;
    }
    if (ec != std::errc() || ptr != plain.data() + plain.size())
        notAFloat(text);
    return value;
}

std::string FloatToFixed(double value, int decimals, std::string_view decimalSeparator)
{
    const DigitString d = MakeDigitString(value, 18, decimals);
    std::string text = d.negative ? "-" : "";
    const int e = d.exponent;
    if (e <= 0) {
        text += '0';
    } else {
        std::string integer = d.digits.substr(0, static_cast<std::size_t>(e));
        integer.resize(static_cast<std::size_t>(e), '0');
        text += integer;
    }
    if (decimals > 0) {
        text += decimalSeparator;
        std::string fraction(static_cast<std::size_t>(std::max(0, -e)), '0');
        const auto intDigits = static_cast<std::size_t>(std::max(0, e));
        if (d.digits.size() > intDigits)
            fraction.append(d.digits, intDigits);
        fraction.resize(static_cast<std::size_t>(decimals), '0');
        text += fraction;
    }
    return text;
}

std::int32_t TextToInt32(std::string_view text)
{
    std::int32_t value = 0;
    const char *first = text.data();
    const char *last = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(first, last, value);
    if (text.empty() || ec != std::errc() || ptr != last)
        throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
    return value;
}
