// Randomized tests of the numeric field's editing rules, with fixed seeds: thousands of sequences
// of typed keys, pastes, cuts, selections and writes of Decimals, Value and MaxLength. After every
// step the text must be canonical for the field's decimals, reading Value must not throw, the
// selection must lie within the text, and no editing step may lengthen the text past MaxLength
// except by the sign.
//
// The number of the text must fit a double for Value to be readable (a canonical text of more
// than 308 integer digits is a number that TextToFloat refuses). The generator therefore keeps
// fields without a length limit below 200 characters: such a field that grows past that is
// cleared or rewritten by the next step.

#include "fieldnotation.h"
#include "numericeditrules.h"
#include "utf.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

class Sequence
{
public:
    explicit Sequence(unsigned seed) : rng_(seed)
    {
        separator_ = pick(4) == 0 ? u',' : u'.';
        rules_ = NumericEditRules(separator_);
        rules_.SetDecimals(range(0, 9));
        rules_.SetMaxLength(maxLengthChoice());
        rules_.SetValue(randomValue());
        rules_.OnKeyPress = [this](char16_t &c) {
            if (hook_ == 1 && c == u'7')
                c = u'1'; // a handler that replaces a character
            else if (hook_ == 2 && c == u'3')
                c = NumericEditRules::kNone; // a handler that clears one
            else if (hook_ == 3 && c == u'a')
                c = u'-';
        };
    }

    void run(int steps)
    {
        check("start");
        for (int i = 0; i < steps; ++i) {
            const std::u16string before = rules_.Text();
            const int beforeLength = rules_.Length();
            const bool beforeSign = before.find(u'-') != std::u16string::npos;
            std::string what;
            const bool editing = step(what);
            check(what);
            if (::testing::Test::HasFailure())
                return;
            const int limit = rules_.MaxLength();
            if (editing && limit > 0) {
                const bool afterSign = rules_.Text().find(u'-') != std::u16string::npos;
                const int withoutSign = rules_.Length() - (afterSign ? 1 : 0);
                const int beforeWithoutSign = beforeLength - (beforeSign ? 1 : 0);
                ASSERT_LE(withoutSign, std::max(beforeWithoutSign, limit))
                    << what << " on " << Utf16ToUtf8(before);
                ASSERT_LE(rules_.Length(), std::max(beforeLength, limit) + (afterSign ? 1 : 0))
                    << what << " on " << Utf16ToUtf8(before);
            }
        }
    }

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    int range(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

    int maxLengthChoice()
    {
        static const int choices[] = {0, 0, 0, 4, 5, 16, 16, 40};
        return choices[pick(8)];
    }

    double randomValue()
    {
        switch (pick(7)) {
        case 0:
            return 0.0;
        case 1:
            return range(-1000, 1000);
        case 2:
            return range(-100000, 100000) / 1000.0;
        case 3:
            return std::uniform_real_distribution<double>(-1e6, 1e6)(rng_);
        case 4:
            return std::ldexp(std::uniform_real_distribution<double>(-1, 1)(rng_), range(-60, 60));
        case 5:
            return 0.125 * range(-40, 40);
        default:
            return std::uniform_real_distribution<double>(-1e15, 1e15)(rng_);
        }
    }

    char16_t randomChar()
    {
        static const char16_t alphabet[] =
            u"0123456789012345678901234567890123456789--..,,a e+E\b\b\b"
            u"x\x7f\x03\x16\x18\u00e9\u066b";
        return alphabet[pick(static_cast<int>(std::size(alphabet)) - 1)];
    }

    std::u16string randomText(int maxLength)
    {
        std::u16string s;
        const int n = range(0, maxLength);
        for (int i = 0; i < n; ++i)
            s += randomChar();
        return s;
    }

    void type(char16_t c) { TypeCharacter(rules_, c, clipboard_); }

    // One step; returns whether it was an editing step (not a write of Value, Decimals or
    // MaxLength).
    bool step(std::string &what)
    {
        if (rules_.MaxLength() == 0 && rules_.Length() > 200) {
            if (pick(2) == 0) {
                what = "select all and delete";
                rules_.SelectAll();
                int key = NumericEditRules::kVkDelete;
                rules_.KeyDown(key);
                return true;
            }
            what = "value";
            rules_.SetValue(randomValue());
            return false;
        }
        const int r = pick(100);
        if (r < 40) {
            what = "type";
            type(randomChar());
            return true;
        }
        if (r < 48) {
            what = "backspace";
            type(NumericEditRules::kBackspace);
            return true;
        }
        if (r < 55) {
            what = "delete";
            int key = NumericEditRules::kVkDelete;
            rules_.KeyDown(key);
            return true;
        }
        if (r < 60) {
            what = "cut";
            clipboard_ = rules_.Cut();
            return true;
        }
        if (r < 68) {
            what = "paste";
            if (pick(3) == 0)
                rules_.Paste(clipboard_);
            else
                rules_.Paste(randomText(14));
            return true;
        }
        if (r < 80) {
            what = "select";
            const int n = rules_.Length();
            rules_.SetSelection(range(-1, n + 1), range(-1, n + 1));
            return true;
        }
        if (r < 84) {
            what = "select all";
            rules_.SelectAll();
            return true;
        }
        if (r < 88) {
            what = "caret";
            rules_.SetCaret(range(-1, rules_.Length() + 1));
            return true;
        }
        if (r < 92) {
            what = "decimals";
            rules_.SetDecimals(range(-3, 12));
            return false;
        }
        if (r < 96) {
            what = "value";
            rules_.SetValue(randomValue());
            return false;
        }
        if (r < 98) {
            what = "maxlength";
            rules_.SetMaxLength(maxLengthChoice());
            return false;
        }
        what = "hook";
        hook_ = pick(4);
        return true;
    }

    void check(const std::string &what)
    {
        const std::u16string text = rules_.Text();
        ASSERT_TRUE(IsCanonicalFieldText(text, rules_.Decimals(), separator_))
            << "after " << what << ": '" << Utf16ToUtf8(text) << "' D=" << rules_.Decimals();
        ASSERT_NO_THROW(rules_.Value()) << "after " << what << ": '" << Utf16ToUtf8(text) << "'";
        ASSERT_GE(rules_.SelStart(), 0);
        ASSERT_GE(rules_.SelLength(), 0);
        ASSERT_LE(rules_.SelStart() + rules_.SelLength(), rules_.Length());
        ASSERT_EQ(rules_.Chars().hasMinus(), text.find(u'-') != std::u16string::npos);
    }

    std::mt19937 rng_;
    char16_t separator_ = u'.';
    NumericEditRules rules_;
    std::u16string clipboard_;
    int hook_ = 0;
};

TEST(NumericEditRulesRandom, TextStaysCanonicalAndValueReadable)
{
    for (unsigned seed = 1; seed <= 4000; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Sequence(seed).run(80);
        if (HasFailure())
            return;
    }
}

// The text store against a plain string, with random edits at random places.
TEST(FieldTextRandom, MatchesAPlainString)
{
    std::mt19937 rng(12345);
    auto pick = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n)(rng);
    };
    for (int round = 0; round < 300; ++round) {
        FieldText text;
        std::u16string model = u"12-3.45";
        text.assign(model);
        for (int i = 0; i < 400; ++i) {
            const char16_t c = u"0123456789-.a"[pick(12)];
            switch (pick(5)) {
            case 0:
            case 1: {
                const std::size_t at = pick(model.size());
                text.insert(at, c);
                model.insert(model.begin() + static_cast<std::ptrdiff_t>(at), c);
                break;
            }
            case 2:
                if (!model.empty()) {
                    const std::size_t at = pick(model.size() - 1);
                    text.erase(at);
                    model.erase(at, 1);
                }
                break;
            case 3:
                if (!model.empty()) {
                    const std::size_t at = pick(model.size() - 1);
                    text.set(at, c);
                    model[at] = c;
                }
                break;
            default: {
                const std::size_t at = pick(model.size());
                ASSERT_EQ(text.substr(at, 3), model.substr(at, 3));
                if (pick(20) == 0) {
                    model = model.substr(0, at);
                    text.assign(model);
                }
                break;
            }
            }
            ASSERT_EQ(text.size(), model.size());
            ASSERT_TRUE(text.equals(model));
            ASSERT_EQ(text.hasMinus(), model.find(u'-') != std::u16string::npos);
            for (std::size_t k = 0; k < model.size(); k += 7)
                ASSERT_EQ(text[k], model[k]);
        }
        ASSERT_EQ(text.str(), model);
    }
}

} // namespace
