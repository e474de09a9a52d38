// libFuzzer target over the numeric field's editing rules (built with clang when RATEWRIGHT_FUZZ
// is ON; not part of the test run). The input is read as a field setup followed by a list of
// operations: typed characters, Backspace, Delete, cut, paste, selections, writes of Decimals,
// Value, MaxLength and ReadOnly, OnKeyPress handlers that replace or clear characters, and direct
// writes of arbitrary text. Checked after every operation:
//   - the selection lies within the text, and the sign bookkeeping matches the text;
//   - a canonical text stays canonical under every operation but a direct write (and a write of
//     Decimals that fails because the number is beyond the range of a double);
//   - the number of a canonical text can be read (unless it is beyond the range of a double,
//     which needs more than 308 integer digits);
//   - an editing step lengthens the text past MaxLength by the sign at most.
// Any violation aborts.

#include "fieldnotation.h"
#include "matherrors.h"
#include "numericeditrules.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

class Reader
{
public:
    Reader(const std::uint8_t *data, std::size_t size) : data_(data), size_(size) {}
    bool empty() const { return pos_ >= size_; }
    std::uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    double number()
    {
        std::uint64_t bits = 0;
        for (int i = 0; i < 8; ++i)
            bits = bits << 8 | byte();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    }

private:
    const std::uint8_t *data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

[[noreturn]] void fail(const char *what, const std::u16string &text)
{
    std::fprintf(stderr, "violation: %s; text (%zu units):", what, text.size());
    for (char16_t c : text)
        std::fprintf(stderr, " %04x", static_cast<unsigned>(c));
    std::fprintf(stderr, "\n");
    std::abort();
}

char16_t character(std::uint8_t b, char16_t separator)
{
    static const char16_t alphabet[] = u"0123456789-.,a +e\b\x7f\x03\x16\x18";
    constexpr std::size_t n = std::size(alphabet) - 1;
    if (b < 200)
        return b % 16 == 15 ? separator : alphabet[b % n];
    return static_cast<char16_t>(b == 255 ? 0xD800 : b); // raw code units, a lone surrogate
}

// Significant integer digits of a canonical text.
std::size_t integerDigits(const std::u16string &text)
{
    std::size_t i = text.empty() || text[0] != u'-' ? 0 : 1;
    while (i < text.size() && text[i] == u'0')
        ++i;
    std::size_t n = 0;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9')
        ++i, ++n;
    return n;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Reader in(data, size);
    const std::uint8_t setup = in.byte();
    const char16_t separator = setup & 1 ? u',' : u'.';
    NumericEditRules rules(separator);
    rules.SetDecimals(static_cast<int>(in.byte() % 13) - 2);
    rules.SetMaxLength(in.byte() % 24);
    int hook = 0;
    rules.OnKeyPress = [&](char16_t &c) {
        if (hook == 1 && c == u'5')
            c = u'-';
        else if (hook == 2 && c >= u'0' && c <= u'4')
            c = NumericEditRules::kNone;
        else if (hook == 3)
            c = static_cast<char16_t>(c + 1);
    };
    std::u16string clipboard;

    for (int steps = 0; !in.empty() && steps < 4000; ++steps) {
        const std::u16string before = rules.Text();
        const bool wasCanonical = IsCanonicalFieldText(before, rules.Decimals(), separator);
        bool direct = false;
        bool editing = true;
        switch (in.byte() % 16) {
        case 0:
        case 1:
        case 2:
        case 3:
            TypeCharacter(rules, character(in.byte(), separator), clipboard);
            break;
        case 4:
            rules.KeyPress(NumericEditRules::kBackspace);
            break;
        case 5: {
            int key = in.byte() & 1 ? NumericEditRules::kVkDelete : 65;
            rules.KeyDown(key);
            break;
        }
        case 6:
            clipboard = rules.Cut();
            break;
        case 7: {
            std::u16string text;
            const int n = in.byte() % 48;
            for (int i = 0; i < n; ++i)
                text += character(in.byte(), separator);
            rules.Paste(in.byte() & 1 ? text : clipboard);
            break;
        }
        case 8: {
            const int start = static_cast<int>(in.byte()) - 8;
            const int length = static_cast<int>(in.byte()) - 8;
            rules.SetSelection(start, length);
            break;
        }
        case 9:
            if (in.byte() & 1)
                rules.SelectAll();
            else
                rules.SetCaret(static_cast<int>(in.byte()) - 8);
            break;
        case 10:
            editing = false;
            try {
                rules.SetDecimals(static_cast<int>(in.byte() % 15) - 3);
            } catch (const EConvertError &) {
                if (wasCanonical && integerDigits(before) <= 308)
                    fail("Decimals write raised on a canonical text", before);
                // A number beyond the range of a double cannot be reformatted: the decimals
                // are stored, the text stays, and no longer fits them.
                direct = true;
            }
            break;
        case 11:
            editing = false;
            rules.SetValue(in.byte() & 1
                               ? in.number()
                               : static_cast<double>(static_cast<std::int8_t>(in.byte())) / 8);
            if (!IsCanonicalFieldText(rules.Text(), rules.Decimals(), separator))
                fail("Value write left a text that is not canonical", rules.Text());
            break;
        case 12:
            editing = false;
            rules.SetMaxLength(in.byte() % 24);
            break;
        case 13:
            hook = in.byte() % 4;
            break;
        case 14:
            rules.SetReadOnly(in.byte() % 4 == 0);
            break;
        default: {
            direct = true;
            std::u16string text;
            const int n = in.byte() % 12;
            for (int i = 0; i < n; ++i)
                text += character(in.byte(), separator);
            rules.SetText(text);
            break;
        }
        }

        const std::u16string after = rules.Text();
        if (rules.SelStart() < 0 || rules.SelLength() < 0 ||
            rules.SelStart() + rules.SelLength() > rules.Length())
            fail("selection outside the text", after);
        if (rules.Chars().hasMinus() != (after.find(u'-') != std::u16string::npos))
            fail("sign bookkeeping", after);
        const bool canonical = IsCanonicalFieldText(after, rules.Decimals(), separator);
        if (wasCanonical && !direct && !canonical)
            fail("a canonical text became one that is not", after);
        if (canonical) {
            try {
                (void)rules.Value();
            } catch (const EConvertError &) {
                if (integerDigits(after) <= 308)
                    fail("Value of a canonical text raised", after);
            }
        }
        const int limit = rules.MaxLength();
        if (editing && !direct && limit > 0) {
            const bool sign = after.find(u'-') != std::u16string::npos;
            if (rules.Length() > std::max(static_cast<int>(before.size()), limit) + (sign ? 1 : 0))
                fail("MaxLength exceeded", after);
        }
    }
    return 0;
}
