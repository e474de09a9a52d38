// The editing rules of the numeric entry field without a widget: the table of edge
// cases, written in the field notation, and the cases listed below it.

#include "fieldnotation.h"
#include "matherrors.h"
#include "numericeditrules.h"
#include "utf.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

std::u16string u16(std::string_view s)
{
    return Utf8ToUtf16(s);
}
std::string u8(std::u16string_view s)
{
    return Utf16ToUtf8(s);
}

// One step of a row: keys in the replay notation, and the field after them.
struct Step
{
    std::string keys;
    std::string after;
};

struct Row
{
    int decimals;
    std::string before;
    std::vector<Step> steps;
    std::string note; // the row as the table writes it
};

// The table of edge cases. Where the table writes only the text after a step (the sign toggles), the
// caret given here is the one item 7.8 puts there.
const std::vector<Row> kTable = {
    {2, "[0.00]", {{"1 2 3", "123^.00"}}, "1, 2, 3"},
    {2, "123^.00", {{".", "123.^00"}}, "decimal separator"},
    {2, "123.^00", {{"4 5", "123.45^"}, {"6", "123.45^"}}, "4, 5, then 6 (the 6 is refused)"},
    {2, "123.45^", {{"-", "-123.45^"}, {"-", "123.45^"}}, "\"-\", then \"-\" again"},
    {2, "[100000.00]", {{"2", "2^.00"}}, "2"},
    {2, "^250.00", {{"7", "7^50.00"}}, "7 (overwrite)"},
    {2, "250^.00", {{"7", "2507^.00"}}, "7 (insert)"},
    {0, "^25", {{"7", "7^25"}}, "7 (insert)"},
    {2, "-^25.00", {{"-", "2^5.00"}}, "\"-\""},
    {2, "^-25.00", {{"9", "-9^5.00"}}, "9"},
    {2, "25.^00", {{"BS", "25^.00"}}, "Backspace (nothing deleted)"},
    {2, "25^.00", {{"DEL", "25.^00"}}, "Delete (nothing deleted)"},
    {2, "25.^40", {{"DEL", "25.^00"}}, "Delete"},
    {2, "5^.00", {{"BS", "0^.00"}}, "Backspace"},
    {2, "-5^.00", {{"BS", "-^0.00"}}, "Backspace"},
    {0, "-5^", {{"BS", "-^0"}}, "Backspace"},
    {0, "1^05", {{"BS", "^05"}}, "Backspace"},
    {0, "0^", {{"-", "-0^"}, {"4", "-4^"}}, "\"-\", then 4"},
    {2, "12[34]56.00", {{"BS", "12^56.00"}}, "Backspace"},
    {2, "12[34]56.00", {{"DEL", "12^56.00"}}, "Delete"},
    {2, "[-25.00]", {{"DEL", "^0.00"}}, "Delete"},
    {0, "[25]", {{"a", "0^"}}, "a letter (selection gone, letter refused)"},
    {0, "[25]", {{".", "^25"}}, "decimal separator (selection shrunk to its start)"},
    {3, "8.^750", {{"1", "8.1^50"}}, "1"},
    {2, "[0.00]", {{"PASTE=12a3.4x5", "123.45^"}}, "paste of 12a3.4x5"},
};

// The rows run with "." and again with "," as the separator ("." in the notation stands for it).
struct Case
{
    std::size_t row;
    char separator;
};

void PrintTo(const Case &c, std::ostream *os)
{
    *os << "row " << c.row + 1 << " with '" << c.separator << "'";
}

std::string withSeparator(std::string text, char separator)
{
    for (char &c : text) {
        if (c == '.')
            c = separator;
    }
    return text;
}

FieldState parse(const std::string &notation)
{
    FieldState state;
    std::string error;
    EXPECT_TRUE(ParseFieldState(u16(notation), state, error)) << notation << ": " << error;
    return state;
}

std::string format(const NumericEditRules &rules)
{
    return u8(FormatFieldState(StateOf(rules)));
}

class EdgeCaseTable : public ::testing::TestWithParam<Case>
{
};

TEST_P(EdgeCaseTable, Row)
{
    const Row &row = kTable[GetParam().row];
    const char separator = GetParam().separator;
    NumericEditRules rules(static_cast<char16_t>(separator));
    rules.AssignDecimals(row.decimals);
    LoadState(rules, parse(withSeparator(row.before, separator)));
    ASSERT_EQ(format(rules), withSeparator(row.before, separator));

    std::u16string clipboard;
    for (const Step &step : row.steps) {
        std::istringstream keys(withSeparator(step.keys, separator));
        std::string token;
        while (keys >> token) {
            std::string error;
            ASSERT_TRUE(ApplyKeyToken(rules, token, clipboard, error)) << error;
        }
        EXPECT_EQ(format(rules), withSeparator(step.after, separator))
            << "D=" << row.decimals << " " << row.before << " | " << row.note << " | keys "
            << step.keys;
        EXPECT_TRUE(IsCanonicalFieldText(rules.Text(), rules.Decimals(), rules.DecimalSeparator()));
    }
}

std::vector<Case> allCases()
{
    std::vector<Case> cases;
    for (char separator : {'.', ','}) {
        for (std::size_t i = 0; i < kTable.size(); ++i)
            cases.push_back({i, separator});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Rows, EdgeCaseTable, ::testing::ValuesIn(allCases()),
                         [](const ::testing::TestParamInfo<Case> &info) {
                             return "Row" + std::to_string(info.param.row + 1) +
                                    (info.param.separator == '.' ? "_point" : "_comma");
                         });

// A field loaded from the notation.
NumericEditRules field(int decimals, const std::string &state, int maxLength = 0)
{
    NumericEditRules rules;
    rules.AssignDecimals(decimals);
    rules.SetMaxLength(maxLength);
    LoadState(rules, parse(state));
    return rules;
}

void keys(NumericEditRules &rules, const std::string &tokens)
{
    std::u16string clipboard;
    std::istringstream in(tokens);
    std::string token;
    while (in >> token) {
        std::string error;
        ASSERT_TRUE(ApplyKeyToken(rules, token, clipboard, error)) << error;
    }
}

// ---------------------------------------------------------------------------------------------
// The cases listed below the table.

TEST(NumericEditRules, PasteWithEmptyClipboardStillRemovesTheSelection)
{
    NumericEditRules rules = field(2, "[25.00]");
    rules.Paste(u"");
    EXPECT_EQ(format(rules), "0^.00");

    rules = field(2, "1[23].45");
    rules.Paste(u"");
    EXPECT_EQ(format(rules), "1^.45");
}

TEST(NumericEditRules, MaxLength16StopsTypedAndPastedDigits)
{
    NumericEditRules rules = field(2, "[0.00]", 16);
    keys(rules, "1 2 3 4 5 6 7 8 9 0 1 2 3 4 5 6 7 8");
    EXPECT_EQ(format(rules), "1234567890123^.00"); // 13 digits, separator, 2 decimals: 16
    EXPECT_EQ(rules.Length(), 16);

    rules = field(2, "[0.00]", 16);
    rules.Paste(u"98765432109876543210.55");
    EXPECT_EQ(format(rules), "9876543210987.55^");
    EXPECT_EQ(rules.Length(), 16);

    // Overwriting fraction digits does not grow the text and still works at the limit.
    rules = field(2, "1234567890123.^00", 16);
    keys(rules, "4 2");
    EXPECT_EQ(format(rules), "1234567890123.42^");
}

TEST(NumericEditRules, SignToggleMayExceedMaxLength)
{
    NumericEditRules rules = field(2, "1234567890123^.00", 16);
    keys(rules, "-");
    EXPECT_EQ(format(rules), "-1234567890123^.00");
    EXPECT_EQ(rules.Length(), 17);
    keys(rules, "7"); // no room for another digit
    EXPECT_EQ(format(rules), "-1234567890123^.00");
    keys(rules, "-");
    EXPECT_EQ(format(rules), "1234567890123^.00");
    EXPECT_EQ(rules.Length(), 16);
}

TEST(NumericEditRules, MaxLengthAppliesToEachPastedCharacter)
{
    NumericEditRules rules = field(0, "[0]", 4);
    rules.Paste(u"12-345");
    EXPECT_EQ(format(rules), "-123^");
    // The sign in the clipboard lengthens the text past the limit; the digits after it stop.
    rules = field(0, "[0]", 4);
    rules.Paste(u"1234-5");
    EXPECT_EQ(format(rules), "-1234^");
}

TEST(NumericEditRules, NewFieldShowsZero)
{
    NumericEditRules rules;
    EXPECT_EQ(u8(rules.Text()), "0.00");
    EXPECT_EQ(rules.Value(), 0.0);
    EXPECT_EQ(rules.Decimals(), 2);
    EXPECT_EQ(rules.FormatMask(), "0.00");
    EXPECT_EQ(rules.MaxLength(), 0);
    EXPECT_FALSE(rules.ReadOnly());

    NumericEditRules comma(u',');
    EXPECT_EQ(u8(comma.Text()), "0,00");
}

TEST(NumericEditRules, DecimalsAreClampedAndReformatTheText)
{
    NumericEditRules rules;
    rules.SetDecimals(12);
    EXPECT_EQ(rules.Decimals(), 9);
    EXPECT_EQ(u8(rules.Text()), "0.000000000");
    EXPECT_EQ(rules.FormatMask(), "0.000000000");
    rules.SetDecimals(-3);
    EXPECT_EQ(rules.Decimals(), 0);
    EXPECT_EQ(u8(rules.Text()), "0");
    EXPECT_EQ(rules.FormatMask(), "0");

    rules.SetDecimals(3);
    rules.SetValue(8.75);
    EXPECT_EQ(u8(rules.Text()), "8.750");
    rules.SetDecimals(1);
    EXPECT_EQ(u8(rules.Text()), "8.8");
    rules.SetDecimals(3);
    EXPECT_EQ(u8(rules.Text()), "8.800"); // the lost digits stay lost
}

TEST(NumericEditRules, ValueIsWrittenWithTheFieldsDecimals)
{
    NumericEditRules rules;
    rules.SetValue(0.125);
    EXPECT_EQ(u8(rules.Text()), "0.13");
    rules.SetValue(100000);
    EXPECT_EQ(u8(rules.Text()), "100000.00");
    rules.SetDecimals(0);
    rules.SetValue(-2.5);
    EXPECT_EQ(u8(rules.Text()), "-3");
    EXPECT_EQ(rules.Value(), -3.0);
    rules.SetValue(25);
    EXPECT_EQ(u8(rules.Text()), "25");
    rules.SetDecimals(3);
    rules.SetValue(8.75);
    EXPECT_EQ(u8(rules.Text()), "8.750");
    EXPECT_EQ(rules.Value(), 8.75);
}

TEST(NumericEditRules, RangeCheck)
{
    NumericEditRules rules;
    rules.SetDecimals(0);
    // MinValue equal to MaxValue (both 0 by default): never out of range.
    rules.SetValue(-5);
    EXPECT_FALSE(rules.RangeViolated());
    rules.SetText(u"abc");
    EXPECT_FALSE(rules.RangeViolated()); // the text is not even read

    rules.SetMinValue(1);
    rules.SetMaxValue(999);
    rules.SetValue(0);
    EXPECT_TRUE(rules.RangeViolated());
    rules.SetValue(1);
    EXPECT_FALSE(rules.RangeViolated());
    rules.SetValue(999);
    EXPECT_FALSE(rules.RangeViolated());
    rules.SetValue(1000);
    EXPECT_TRUE(rules.RangeViolated());
    rules.SetText(u"x");
    EXPECT_THROW(rules.RangeViolated(), EConvertError);

    // MinValue above MaxValue: every number is out of range.
    rules.SetMinValue(10);
    rules.SetMaxValue(5);
    for (double v : {-1.0, 5.0, 7.0, 10.0, 11.0}) {
        rules.SetValue(v);
        EXPECT_TRUE(rules.RangeViolated()) << v;
    }
}

TEST(NumericEditRules, EmptyTextRaisesTheConversionError)
{
    NumericEditRules rules;
    rules.SetText(u"");
    try {
        rules.Value();
        FAIL() << "no error";
    } catch (const EConvertError &e) {
        EXPECT_STREQ(e.what(), "'' is not a valid floating point value");
    }
    rules.SetText(u"12a");
    try {
        rules.Value();
        FAIL() << "no error";
    } catch (const EConvertError &e) {
        EXPECT_STREQ(e.what(), "'12a' is not a valid floating point value");
    }
    // Decimals are stored even when the reformatting fails.
    EXPECT_THROW(rules.SetDecimals(4), EConvertError);
    EXPECT_EQ(rules.Decimals(), 4);
    EXPECT_EQ(u8(rules.Text()), "12a");
}

// ---------------------------------------------------------------------------------------------
// More of the Algorithms.

TEST(NumericEditRules, OnKeyPressSeesEveryCharacterFirstAndMayReplaceOrClearIt)
{
    NumericEditRules rules = field(2, "[0.00]");
    std::u16string seen;
    rules.OnKeyPress = [&](char16_t &c) {
        seen += c;
        if (c == u'x')
            c = u'5';
        else if (c == u'9')
            c = NumericEditRules::kNone;
    };
    rules.Paste(u"1x9");
    EXPECT_EQ(u8(seen), "1x9");
    EXPECT_EQ(format(rules), "15^.00");

    // A cleared character still removes the selection (step 4 before step 6).
    rules.SelectAll();
    rules.KeyPress(u'9');
    EXPECT_EQ(format(rules), "0^.00");
}

TEST(NumericEditRules, ReadOnlyFieldRefusesEditsButRaisesOnKeyPress)
{
    NumericEditRules rules = field(2, "[25.00]");
    rules.SetReadOnly(true);
    int presses = 0;
    rules.OnKeyPress = [&](char16_t &) { ++presses; };
    rules.KeyPress(u'7');
    rules.KeyPress(NumericEditRules::kBackspace);
    int key = NumericEditRules::kVkDelete;
    rules.KeyDown(key);
    EXPECT_EQ(key, NumericEditRules::kVkDelete); // not handled, not consumed
    EXPECT_TRUE(rules.Cut().empty());
    rules.Paste(u"5");
    EXPECT_EQ(format(rules), "[25.00]");
    EXPECT_EQ(presses, 2);
    EXPECT_EQ(rules.KeyPress(NumericEditRules::kCtrlC), NumericEditRules::Request::Copy);
}

TEST(NumericEditRules, CopyPasteAndCutCharactersAreRequests)
{
    NumericEditRules rules = field(2, "1[23].45");
    EXPECT_EQ(rules.KeyPress(NumericEditRules::kCtrlC), NumericEditRules::Request::Copy);
    EXPECT_EQ(rules.KeyPress(NumericEditRules::kCtrlV), NumericEditRules::Request::Paste);
    EXPECT_EQ(rules.KeyPress(NumericEditRules::kCtrlX), NumericEditRules::Request::Cut);
    EXPECT_EQ(format(rules), "1[23].45"); // step 3 comes before the selection is removed
    EXPECT_EQ(u8(rules.Cut()), "23");
    EXPECT_EQ(format(rules), "1^.45");

    // Inside a paste they are dropped, not carried out.
    rules.Paste(u"\x16"
                u"7\x18"
                u"8\x03");
    EXPECT_EQ(format(rules), "178^.45");
}

TEST(NumericEditRules, KeyDownHandlesOnlyDelete)
{
    NumericEditRules rules = field(2, "2^5.00");
    int key = 65;
    rules.KeyDown(key);
    EXPECT_EQ(key, 65);
    EXPECT_EQ(format(rules), "2^5.00");
    key = NumericEditRules::kVkDelete;
    rules.KeyDown(key);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(format(rules), "2^.00");
}

TEST(NumericEditRules, DeleteSelectionNeverEmptiesTheField)
{
    NumericEditRules rules = field(2, "[100000.00]");
    rules.DeleteSelection();
    EXPECT_EQ(format(rules), "0^.00");
    rules = field(2, "[-25.00]");
    rules.DeleteSelection();
    EXPECT_EQ(format(rules), "^0.00");
    rules = field(0, "[-7]");
    rules.DeleteSelection();
    EXPECT_EQ(format(rules), "^0");
    rules = field(3, "12.[345]");
    rules.DeleteSelection();
    EXPECT_EQ(format(rules), "12.^000");
    rules = field(2, "1[2.3]4");
    rules.DeleteSelection();
    EXPECT_EQ(format(rules), "1^.40");
}

TEST(NumericEditRules, DeleteCharacterCases)
{
    struct C
    {
        int d;
        const char *before;
        NumericEditRules::DeleteKind kind;
        const char *after;
    };
    using K = NumericEditRules::DeleteKind;
    const C cases[] = {
        {2, "^1.00", K::Backspace, "^1.00"},    // P = 0
        {2, "1.00^", K::Delete, "1.00^"},       // P = n + 1
        {0, "-5^", K::Backspace, "-^0"},        // 2.1
        {0, "7^", K::Backspace, "0^"},          // 2.2
        {0, "^7", K::Delete, "0^"},             // 2.2 by Delete
        {0, "-^57", K::Delete, "-^7"},          // 2.3
        {0, "^-57", K::Delete, "^57"},          // the sign goes like any character
        {2, "1.2^5", K::Backspace, "1.^50"},    // 3.1
        {2, "1.^25", K::Delete, "1.^50"},       // 3.1 by Delete
        {2, "1.^25", K::Backspace, "1^.25"},    // 3.2
        {2, "1^.25", K::Delete, "1.^25"},       // 3.2
        {2, "-^5.25", K::Delete, "-^0.25"},     // 3.3 by Delete
        {2, "^5.25", K::Delete, "0^.25"},       // 3.4 by Delete
        {2, "-^25.00", K::Backspace, "^25.00"}, // 3.5, the sign
        {2, "12^3.00", K::Backspace, "1^3.00"}, // 3.5
    };
    for (const C &c : cases) {
        NumericEditRules rules = field(c.d, c.before);
        rules.DeleteCharacter(c.kind);
        EXPECT_EQ(format(rules), c.after) << c.before;
    }
}

TEST(NumericEditRules, LeadingZeroIsReplaced)
{
    NumericEditRules rules = field(0, "^0");
    keys(rules, "5");
    EXPECT_EQ(format(rules), "5^");
    rules = field(0, "0^5");
    keys(rules, "3"); // s = 1, character 1 is "0"
    EXPECT_EQ(format(rules), "3^5");
    rules = field(2, "-^0.00");
    keys(rules, "4");
    EXPECT_EQ(format(rules), "-4^.00");
    rules = field(2, "^-0.00"); // the caret moves after the sign first (step 11)
    keys(rules, "4");
    EXPECT_EQ(format(rules), "-4^.00");
}

TEST(NumericEditRules, NothingIsAppendedAfterTheLastFractionDigit)
{
    NumericEditRules rules = field(2, "1.23^");
    keys(rules, "4 a -");
    EXPECT_EQ(format(rules), "-1.23^");
    keys(rules, "BS");
    EXPECT_EQ(format(rules), "-1.2^0");
}

TEST(NumericEditRules, SeparatorInIntegerFieldOnlyShrinksTheSelection)
{
    NumericEditRules rules = field(0, "1[23]4");
    keys(rules, ".");
    EXPECT_EQ(format(rules), "1^234");
}

TEST(NumericEditRules, WritesPutTheCaretAtTheEndAndUnchangedWritesDoNothing)
{
    NumericEditRules rules = field(2, "1[2].00");
    rules.SetValue(12);
    EXPECT_EQ(format(rules), "1[2].00"); // same text: nothing happens
    rules.SetValue(13);
    EXPECT_EQ(format(rules), "13.00^");
    rules.SetText(u"13.00");
    EXPECT_EQ(format(rules), "13.00^");
}

TEST(NumericEditRules, NegativeZeroAndLargeNumbers)
{
    NumericEditRules rules;
    rules.SetValue(-0.001);
    EXPECT_EQ(u8(rules.Text()), "0.00"); // a negative number that comes to zero has no sign
    rules.SetValue(-0.0);
    EXPECT_EQ(u8(rules.Text()), "0.00");
    rules.SetValue(123456789012345678901.0);
    // 18 significant digits (of the double nearest to the number), then zeros.
    EXPECT_EQ(u8(rules.Text()), "123456789012345684000.00");
    EXPECT_TRUE(IsCanonicalFieldText(rules.Text(), 2, u'.'));
}

TEST(NumericEditRules, AnUnusableSeparatorFallsBackToPoint)
{
    EXPECT_EQ(NumericEditRules(u'5').DecimalSeparator(), u'.');
    EXPECT_EQ(NumericEditRules(u'-').DecimalSeparator(), u'.');
    EXPECT_EQ(NumericEditRules(u'\0').DecimalSeparator(), u'.');
    EXPECT_EQ(NumericEditRules(u',').DecimalSeparator(), u',');
    EXPECT_EQ(NumericEditRules(u'\u066B').DecimalSeparator(), u'\u066B');
    NumericEditRules arabic(u'\u066B');
    arabic.SetValue(1.5);
    EXPECT_EQ(arabic.Text(), u"1\u066B50");
    EXPECT_EQ(arabic.Value(), 1.5);
}

TEST(NumericEditRules, NonCanonicalTextsAreEditedWithoutHarm)
{
    // Only a direct write makes these; the rules must still behave.
    for (const char *text : {"", "-", "abc", "..", "5-", "-.-", "1.2.3"}) {
        for (int d : {0, 2, 9}) {
            NumericEditRules rules;
            rules.AssignDecimals(d);
            rules.SetText(u16(text));
            for (int caret = 0; caret <= rules.Length(); ++caret) {
                for (const char *k : {"1", "-", ".", "BS", "DEL", "CUT", "PASTE=9.9-"}) {
                    NumericEditRules copy = rules;
                    copy.SetCaret(caret);
                    keys(copy, k);
                    EXPECT_LE(copy.SelStart() + copy.SelLength(), copy.Length());
                }
            }
        }
    }
}

TEST(FieldNotation, ParseAndFormat)
{
    FieldState s;
    std::string error;
    ASSERT_TRUE(ParseFieldState(u"12[34]56.00", s, error));
    EXPECT_EQ(u8(s.text), "123456.00");
    EXPECT_EQ(s.selStart, 2);
    EXPECT_EQ(s.selLength, 2);
    EXPECT_EQ(u8(FormatFieldState(s)), "12[34]56.00");
    ASSERT_TRUE(ParseFieldState(u"-^25.00", s, error));
    EXPECT_EQ(s.selStart, 1);
    EXPECT_EQ(s.selLength, 0);
    ASSERT_TRUE(ParseFieldState(u"1[]2", s, error)); // an empty selection is the caret
    EXPECT_EQ(u8(FormatFieldState(s)), "1^2");

    for (const char16_t *bad : {u"12", u"^1^", u"[1", u"1]", u"[1]^", u"[[1]]", u"]1["}) {
        EXPECT_FALSE(ParseFieldState(bad, s, error)) << u8(bad);
        EXPECT_FALSE(error.empty());
    }
}

TEST(FieldNotation, UnknownKeyTokens)
{
    NumericEditRules rules;
    std::u16string clipboard;
    std::string error;
    EXPECT_FALSE(ApplyKeyToken(rules, "12", clipboard, error));
    EXPECT_EQ(error, "unknown key '12'");
    EXPECT_TRUE(ApplyKeyToken(rules, "\xC3\xA9", clipboard, error)); // one character, é
}

TEST(Utf, RoundTrip)
{
    const std::u16string text = u"a\u00e9\u066B\U0001F600z";
    EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
    EXPECT_EQ(Utf16ToUtf8(u"\xD800"), "\xEF\xBF\xBD");
    EXPECT_EQ(Utf8ToUtf16("\xFF"), u"\uFFFD");
}

} // namespace
