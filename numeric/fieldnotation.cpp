#include "fieldnotation.h"

#include "numericeditrules.h"
#include "utf.h"

bool ParseFieldState(std::u16string_view notation, FieldState &state, std::string &error)
{
    FieldState result;
    int carets = 0;
    int opens = 0;
    int closes = 0;
    int open = -1;
    for (const char16_t c : notation) {
        const int position = static_cast<int>(result.text.size());
        if (c == u'^') {
            ++carets;
            result.selStart = position;
        } else if (c == u'[') {
            if (opens > 0) {
                error = "more than one '['";
                return false;
            }
            ++opens;
            open = position;
        } else if (c == u']') {
            if (opens == 0) {
                error = "']' without '['";
                return false;
            }
            if (closes > 0) {
                error = "more than one ']'";
                return false;
            }
            ++closes;
            result.selStart = open;
            result.selLength = position - open;
        } else {
            result.text += c;
        }
    }
    if (opens != closes) {
        error = "'[' without ']'";
        return false;
    }
    if (carets > 1) {
        error = "more than one caret '^'";
        return false;
    }
    if (carets + opens == 0) {
        error = "no caret '^' and no selection '[...]'";
        return false;
    }
    if (carets + opens > 1) {
        error = "both a caret '^' and a selection '[...]'";
        return false;
    }
    state = std::move(result);
    return true;
}

std::u16string FormatFieldState(const FieldState &state)
{
    const std::u16string &t = state.text;
    const auto start = std::min(static_cast<std::size_t>(std::max(state.selStart, 0)), t.size());
    const auto length =
        std::min(static_cast<std::size_t>(std::max(state.selLength, 0)), t.size() - start);
    std::u16string out = t.substr(0, start);
    if (length == 0) {
        out += u'^';
    } else {
        out += u'[';
        out += t.substr(start, length);
        out += u']';
    }
    out += t.substr(start + length);
    return out;
}

FieldState StateOf(const NumericEditRules &rules)
{
    return FieldState{rules.Text(), rules.SelStart(), rules.SelLength()};
}

void LoadState(NumericEditRules &rules, const FieldState &state)
{
    rules.SetText(state.text);
    rules.SetSelection(state.selStart, state.selLength);
}

bool IsKeyToken(std::string_view token)
{
    return token == "BS" || token == "DEL" || token == "CUT" || token == "PASTE" ||
           token.substr(0, 6) == "PASTE=" || Utf8ToUtf16(token).size() == 1;
}

bool ApplyKeyToken(NumericEditRules &rules, std::string_view token, std::u16string &clipboard,
                   std::string &error)
{
    if (!IsKeyToken(token)) {
        error = "unknown key '" + std::string(token) + "'";
        return false;
    }
    if (token == "BS") {
        rules.KeyPress(NumericEditRules::kBackspace);
    } else if (token == "DEL") {
        int key = NumericEditRules::kVkDelete;
        rules.KeyDown(key);
    } else if (token == "CUT") {
        clipboard = rules.Cut();
    } else if (token == "PASTE") {
        rules.Paste(clipboard);
    } else if (token.substr(0, 6) == "PASTE=") {
        rules.Paste(Utf8ToUtf16(token.substr(6)));
    } else {
        TypeCharacter(rules, Utf8ToUtf16(token)[0], clipboard);
    }
    return true;
}

void TypeCharacter(NumericEditRules &rules, char16_t character, std::u16string &clipboard)
{
    switch (rules.KeyPress(character)) {
    case NumericEditRules::Request::Copy:
        clipboard = rules.SelectedText();
        break;
    case NumericEditRules::Request::Paste:
        rules.Paste(clipboard);
        break;
    case NumericEditRules::Request::Cut:
        clipboard = rules.Cut();
        break;
    case NumericEditRules::Request::None:
        break;
    }
}
