#pragma once

#include <deque>
#include <functional>
#include <string>
#include <string_view>

// The editing rules of the numeric entry field, without any widget: the text, the
// selection, the settings that the rules read, and the operations of its editing rules.
// TFnpNumericEdit drives one of these; the tests, the replay tool and the fuzzer use it alone.
//
// Texts are UTF-16 code units, so that positions are those of the widget's QString. Positions
// count from 0 (before the first character) to n (after the last); "character k" counts from 1.

// The text of the field. Every edit that the rules make happens at the caret, at the start or at
// the end of the text; keeping the text as two deques split at a movable gap makes each of them
// cost O(1) (amortized), so that long pastes and long selections stay linear.
class FieldText
{
public:
    std::size_t size() const { return left_.size() + right_.size(); }
    char16_t operator[](std::size_t i) const
    {
        return i < left_.size() ? left_[i] : right_[i - left_.size()];
    }
    bool hasMinus() const { return minusCount_ > 0; }

    void assign(std::u16string_view text);
    std::u16string str() const;
    std::u16string substr(std::size_t pos, std::size_t count) const;
    bool equals(std::u16string_view text) const;

    void set(std::size_t i, char16_t c);
    void insert(std::size_t i, char16_t c);
    void erase(std::size_t i);

private:
    void moveGap(std::size_t i);
    void count(char16_t c, int delta)
    {
        if (c == u'-')
            minusCount_ += static_cast<std::size_t>(delta);
    }

    std::deque<char16_t> left_;
    std::deque<char16_t> right_;
    std::size_t minusCount_ = 0;
};

// Whether `text` is in the canonical form of a field with `decimals` fraction digits: an optional
// leading "-", one or more digits, then, when decimals is above 0, the separator and exactly
// `decimals` digits.
bool IsCanonicalFieldText(std::u16string_view text, int decimals, char16_t decimalSeparator);

class NumericEditRules
{
public:
    // Character codes of the filter. kNone is "no character" (a cleared key).
    static constexpr char16_t kNone = 0;
    static constexpr char16_t kCtrlC = 3;
    static constexpr char16_t kBackspace = 8;
    static constexpr char16_t kCtrlV = 22;
    static constexpr char16_t kCtrlX = 24;
    // The virtual-key code of the Delete key, as KeyDown takes it.
    static constexpr int kVkDelete = 46;

    static constexpr int kMaxDecimals = 9;

    enum class DeleteKind { Backspace, Delete };

    // What a character asks of the native edit when the filter lets it pass unchanged
    // (steps 2 and 3): Ctrl+C copies, Ctrl+V pastes, Ctrl+X cuts. The caller carries it out.
    enum class Request { None, Copy, Paste, Cut };

    // A new field: decimals 2, Value 0, so the text is "0" + separator + "00", caret at its end.
    // A separator that cannot serve (a digit, "-", a control character) is replaced by ".".
    explicit NumericEditRules(char16_t decimalSeparator = u'.');

    // The text. SetText is a direct write: it bypasses the rules, is not limited by MaxLength,
    // and may leave a text that is not canonical. A write that changes the text puts the caret
    // at its end (as the widget's base edit does); one that leaves it unchanged does nothing.
    std::u16string Text() const { return text_.str(); }
    const FieldText &Chars() const { return text_; }
    int Length() const { return static_cast<int>(text_.size()); }
    void SetText(std::u16string_view text);

    // The selection as start (its lower end) and length; with length 0 the start is the caret.
    int SelStart() const { return selStart_; }
    int SelLength() const { return selLength_; }
    std::u16string SelectedText() const;
    void SetCaret(int position);              // removes the selection; clamped to 0..n
    void SetSelection(int start, int length); // clamped to the text
    void SelectAll();

    // Decimals: SetDecimals clamps to 0..9, stores, then runs UpdateFormat (even when unchanged);
    // it raises EConvertError when the text is not a number (the decimals are stored by then).
    // AssignDecimals only clamps and stores, for loading a field state as it is.
    int Decimals() const { return decimals_; }
    void SetDecimals(int decimals);
    void AssignDecimals(int decimals);
    const std::string &FormatMask() const { return formatMask_; }

    // 0 means no limit.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int maxLength) { maxLength_ = maxLength > 0 ? maxLength : 0; }

    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }

    // The range of item 5. RangeViolated reads the number of the text when MinValue differs from
    // MaxValue (raising EConvertError for a text that is not a number) and tells whether it lies
    // below MinValue or above MaxValue; with MinValue equal to MaxValue it is false.
    double MinValue() const { return minValue_; }
    void SetMinValue(double value) { minValue_ = value; }
    double MaxValue() const { return maxValue_; }
    void SetMaxValue(double value) { maxValue_ = value; }
    bool RangeViolated() const;

    char16_t DecimalSeparator() const { return separator_; }
    void SetDecimalSeparator(char16_t separator);

    // Number of the text (item 2); raises EConvertError "'<text>' is not a valid floating point
    // value". Text of a number (item 1) with the field's decimals.
    double Value() const;
    void SetValue(double value);
    void UpdateFormat();

    // Item 6: the Delete key (kVkDelete) is handled unless ReadOnly, and consumed (key set to 0).
    void KeyDown(int &key);

    // Item 7: one character through the full character path, OnKeyPress first. Returns the
    // request that a Ctrl+C, Ctrl+V or Ctrl+X (or, when ReadOnly, any character) leaves for the
    // native edit; the caller carries it out.
    Request KeyPress(char16_t c);

    // Items 8 to 11.
    void DeleteCharacter(DeleteKind kind);
    void DeleteSelection();
    // Returns the selected text for the caller to put on the clipboard, then DeleteSelection.
    // A read-only field refuses: nothing is returned or removed.
    std::u16string Cut();
    // DeleteSelection, then each character of `clipboard` through KeyPress. A Ctrl+C, Ctrl+V or
    // Ctrl+X among them is dropped (it does not start another copy, paste or cut). A read-only
    // field refuses the paste.
    void Paste(std::u16string_view clipboard);
    // A drop or an input-method commit: each character through KeyPress at the current caret
    // (no DeleteSelection of its own; the first character's filter step removes a selection).
    // Requests among the characters are dropped. A read-only field refuses.
    void InsertCharacters(std::u16string_view characters);

    // Raised first for every character that reaches the filter; may replace the character or
    // clear it (set it to kNone).
    std::function<void(char16_t &key)> OnKeyPress;

private:
    static bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
    // Character k counted from 1; kNone outside the text.
    char16_t charAt(int k) const
    {
        return k >= 1 && k <= Length() ? text_[static_cast<std::size_t>(k - 1)] : kNone;
    }
    void setCaretInternal(int position);
    void selectInternal(int start, int length);
    void replaceText(std::u16string_view text);
    void nativeInsert(char16_t c);
    Request requestOf(char16_t c) const;
    void feed(std::u16string_view characters);

    FieldText text_;
    int selStart_ = 0;
    int selLength_ = 0;
    int decimals_ = 2;
    int maxLength_ = 0;
    bool readOnly_ = false;
    char16_t separator_ = u'.';
    double minValue_ = 0.0;
    double maxValue_ = 0.0;
    std::string formatMask_;
};
