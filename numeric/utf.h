#pragma once

#include <string>
#include <string_view>

// Conversions between the UTF-16 texts of the entry field (the code units of a QString, so that
// positions agree with the widget's) and the UTF-8 texts of the number conversions in calc.
// Ill-formed input (an unpaired surrogate, a broken UTF-8 sequence) becomes U+FFFD.

std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view text);
