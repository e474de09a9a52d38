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

    // strtod rounds correctly to nearest; in the C locale "." is its separator. Out-of-range
    // magnitudes come back as infinity or zero, which a double field then shows as it is.
    const char *first = plain.c_str();
    const double value = std::strtod(first, nullptr);
    if (std::isinf(value))
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
