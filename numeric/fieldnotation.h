#pragma once

#include <string>
#include <string_view>

class NumericEditRules;

// The field notation of a field's contents: the text with "^" at the caret, or with "[" and "]"
// around the selection ("12[34]56.00", "-^25.00", "[0.00]"). The other characters are the text's
// own, the separator included. Shared by the table tests and the numeric-replay tool.
struct FieldState
{
    std::u16string text;
    int selStart = 0;
    int selLength = 0;

    bool operator==(const FieldState &) const = default;
};

// Parses `notation`. Returns false and sets `error` for a notation without exactly one caret or
// one pair of brackets ("[]" counts as the caret).
bool ParseFieldState(std::u16string_view notation, FieldState &state, std::string &error);

std::u16string FormatFieldState(const FieldState &state);

// The state of `rules`, and loading a state into it (text and selection, nothing else).
FieldState StateOf(const NumericEditRules &rules);
void LoadState(NumericEditRules &rules, const FieldState &state);

// Applies one key token of the replay notation to `rules`: a single character (typed), "BS"
// (Backspace), "DEL" (the Delete key), "CUT" (the selection to `clipboard`, then removed),
// "PASTE=text" (paste of a clipboard holding text) or "PASTE" (paste of `clipboard`). A typed
// Ctrl+C, Ctrl+V or Ctrl+X acts on `clipboard` as the widget does. Returns false and sets
// `error` for an unknown token; EConvertError from the rules passes through.
bool IsKeyToken(std::string_view token);

// Types one character into `rules`; a Ctrl+C, Ctrl+V or Ctrl+X that the filter passes on acts
// on `clipboard`, as the widget's copy, paste and cut do.
void TypeCharacter(NumericEditRules &rules, char16_t character, std::u16string &clipboard);
bool ApplyKeyToken(NumericEditRules &rules, std::string_view token, std::u16string &clipboard,
                   std::string &error);
