// numeric-replay: feeds key sequences to the numeric entry field's editing rules and prints the
// resulting field contents, one case a line. See --help.

#include "fieldnotation.h"
#include "matherrors.h"
#include "numericeditrules.h"
#include "utf.h"

#include <charconv>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char *kHelp = R"(Usage: numeric-replay [--separator C] < cases

Runs key sequences through the editing rules of the numeric entry field and prints
the field's contents after each sequence.

Each input line is one case, four fields separated by tabs:

    DECIMALS <TAB> MAXLENGTH <TAB> STATE <TAB> KEYS

  DECIMALS   the field's count of fraction digits, 0 to 9
  MAXLENGTH  the field's length limit, 0 for none
  STATE      the field before the keys, in the field notation: the text with ^ at the caret,
             or with [ and ] around the selection, e.g. [100000.00], -^25.00, 12[34]56.00.
             The text is taken as it is (it need not be canonical); "." is the decimal
             separator unless --separator says otherwise.
  KEYS       blank-separated tokens, applied in order:
               a single character   typed (7, -, ., a)
               BS                   Backspace
               DEL                  the Delete key
               CUT                  cut: the selection goes to the clipboard
               PASTE=text           paste of a clipboard holding text (no blanks; PASTE= is an
                                    empty clipboard)
               PASTE                paste of the clipboard as the last CUT of the case left
                                    it (each case starts with an empty clipboard)
             KEYS may be empty (the tab before it too).

For each case one line is printed: the resulting state in the same notation, or
"ERROR <message>" when the line cannot be read. Empty lines and lines starting with # are
skipped.

Options:
  --separator C   the decimal separator (one character; default ".")
  --help          this text
)";

bool parseInt(std::string_view text, int &value)
{
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && ec == std::errc() && ptr == text.data() + text.size();
}

std::vector<std::string_view> split(std::string_view line, char separator)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = line.find(separator, start);
        parts.push_back(line.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

// Returns the output line for one case.
std::string runCase(std::string_view line, char16_t separator)
{
    std::u16string clipboard; // each case starts with an empty clipboard
    const std::vector<std::string_view> fields = split(line, '\t');
    if (fields.size() != 3 && fields.size() != 4)
        return "ERROR expected DECIMALS, MAXLENGTH, STATE and KEYS separated by tabs";
    int decimals = 0;
    if (!parseInt(fields[0], decimals) || decimals < 0 || decimals > NumericEditRules::kMaxDecimals)
        return "ERROR DECIMALS must be a whole number from 0 to 9: '" + std::string(fields[0]) +
               "'";
    int maxLength = 0;
    if (!parseInt(fields[1], maxLength) || maxLength < 0)
        return "ERROR MAXLENGTH must be a whole number, 0 or more: '" + std::string(fields[1]) +
               "'";
    FieldState state;
    std::string error;
    if (!ParseFieldState(Utf8ToUtf16(fields[2]), state, error))
        return "ERROR STATE '" + std::string(fields[2]) + "': " + error;

    NumericEditRules rules(separator);
    rules.AssignDecimals(decimals);
    rules.SetMaxLength(maxLength);
    LoadState(rules, state);

    std::istringstream keys(fields.size() == 4 ? std::string(fields[3]) : std::string());
    std::string token;
    std::vector<std::string> tokens;
    while (keys >> token)
        tokens.push_back(token);
    // Check every token before applying any, so that a bad one gives an error line only.
    for (const std::string &t : tokens) {
        if (!IsKeyToken(t))
            return "ERROR unknown key '" + t + "'";
    }
    try {
        for (const std::string &t : tokens)
            ApplyKeyToken(rules, t, clipboard, error);
    } catch (const EConvertError &e) {
        return std::string("ERROR ") + e.what();
    }
    return Utf16ToUtf8(FormatFieldState(StateOf(rules)));
}

} // namespace

int main(int argc, char **argv)
{
    char16_t separator = u'.';
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kHelp;
            return 0;
        }
        std::string_view value;
        if (arg == "--separator" && i + 1 < argc)
            value = argv[++i];
        else if (arg.rfind("--separator=", 0) == 0)
            value = arg.substr(12);
        else {
            std::cerr << "numeric-replay: unknown argument '" << arg << "' (see --help)\n";
            return 2;
        }
        const std::u16string s = Utf8ToUtf16(value);
        if (s.size() != 1) {
            std::cerr << "numeric-replay: --separator takes one character\n";
            return 2;
        }
        separator = s[0];
    }
    if (NumericEditRules(separator).DecimalSeparator() != separator) {
        std::cerr << "numeric-replay: that character cannot be a decimal separator\n";
        return 2;
    }

    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        std::cout << runCase(line, separator) << '\n';
    }
    return 0;
}
