#include "numericeditrules.h"

#include "numbertext.h"
#include "utf.h"

#include <algorithm>

// ---------------------------------------------------------------------------------------------
// FieldText

void FieldText::assign(std::u16string_view text)
{
    left_.clear();
    right_.assign(text.begin(), text.end());
    minusCount_ = static_cast<std::size_t>(std::count(text.begin(), text.end(), u'-'));
}

std::u16string FieldText::str() const
{
    std::u16string s;
    s.reserve(size());
    s.append(left_.begin(), left_.end());
    s.append(right_.begin(), right_.end());
    return s;
}

std::u16string FieldText::substr(std::size_t pos, std::size_t count) const
{
    std::u16string s;
    const std::size_t end = std::min(size(), pos + std::min(count, size()));
    for (std::size_t i = pos; i < end; ++i)
        s += (*this)[i];
    return s;
}

bool FieldText::equals(std::u16string_view text) const
{
    if (text.size() != size())
        return false;
    return std::equal(left_.begin(), left_.end(), text.begin()) &&
           std::equal(right_.begin(), right_.end(),
                      text.begin() + static_cast<std::ptrdiff_t>(left_.size()));
}

void FieldText::moveGap(std::size_t i)
{
    while (left_.size() > i) {
        right_.push_front(left_.back());
        left_.pop_back();
    }
    while (left_.size() < i && !right_.empty()) {
        left_.push_back(right_.front());
        right_.pop_front();
    }
}

void FieldText::set(std::size_t i, char16_t c)
{
    if (i >= size())
        return;
    char16_t &slot = i < left_.size() ? left_[i] : right_[i - left_.size()];
    count(slot, -1);
    slot = c;
    count(c, +1);
}

void FieldText::insert(std::size_t i, char16_t c)
{
    if (i > size())
        return;
    if (i == 0) {
        left_.push_front(c);
    } else if (i == size()) {
        right_.push_back(c);
    } else {
        moveGap(i);
        left_.push_back(c);
    }
    count(c, +1);
}

void FieldText::erase(std::size_t i)
{
    if (i >= size())
        return;
    char16_t c;
    if (i == 0) {
        std::deque<char16_t> &part = left_.empty() ? right_ : left_;
        c = part.front();
        part.pop_front();
    } else if (i + 1 == size()) {
        std::deque<char16_t> &part = right_.empty() ? left_ : right_;
        c = part.back();
        part.pop_back();
    } else {
        moveGap(i);
        c = right_.front();
        right_.pop_front();
    }
    count(c, -1);
}

// ---------------------------------------------------------------------------------------------

bool IsCanonicalFieldText(std::u16string_view text, int decimals, char16_t decimalSeparator)
{
    const auto digit = [](char16_t c) { return c >= u'0' && c <= u'9'; };
    std::size_t i = 0;
    if (i < text.size() && text[i] == u'-')
        ++i;
    const std::size_t integerStart = i;
    while (i < text.size() && digit(text[i]))
        ++i;
    if (i == integerStart)
        return false;
    if (decimals <= 0)
        return i == text.size();
    if (i >= text.size() || text[i] != decimalSeparator)
        return false;
    ++i;
    const std::size_t fractionStart = i;
    while (i < text.size() && digit(text[i]))
        ++i;
    return i == text.size() && i - fractionStart == static_cast<std::size_t>(decimals);
}

// ---------------------------------------------------------------------------------------------
// NumericEditRules

namespace {

bool usableSeparator(char16_t c)
{
    if (c < 0x20 || c == 0x7F || (c >= 0xD800 && c <= 0xDFFF))
        return false;
    if (c >= u'0' && c <= u'9')
        return false;
    switch (c) {
    case u'-':
    case u'+':
    case u'e':
    case u'E':
    case u' ':
        return false;
    default:
        return true;
    }
}

} // namespace

NumericEditRules::NumericEditRules(char16_t decimalSeparator)
{
    SetDecimalSeparator(decimalSeparator);
    AssignDecimals(2);
    SetValue(0.0);
    UpdateFormat();
}

void NumericEditRules::SetDecimalSeparator(char16_t separator)
{
    separator_ = usableSeparator(separator) ? separator : u'.';
}

void NumericEditRules::SetText(std::u16string_view text)
{
    replaceText(text);
}

void NumericEditRules::replaceText(std::u16string_view text)
{
    if (text_.equals(text))
        return;
    text_.assign(text);
    selStart_ = Length();
    selLength_ = 0;
}

std::u16string NumericEditRules::SelectedText() const
{
    return text_.substr(static_cast<std::size_t>(selStart_), static_cast<std::size_t>(selLength_));
}

void NumericEditRules::setCaretInternal(int position)
{
    selStart_ = std::clamp(position, 0, Length());
    selLength_ = 0;
}

void NumericEditRules::selectInternal(int start, int length)
{
    selStart_ = std::clamp(start, 0, Length());
    selLength_ = std::clamp(length, 0, Length() - selStart_);
}

void NumericEditRules::SetCaret(int position)
{
    setCaretInternal(position);
}
void NumericEditRules::SetSelection(int start, int length)
{
    selectInternal(start, length);
}
void NumericEditRules::SelectAll()
{
    selectInternal(0, Length());
}

void NumericEditRules::AssignDecimals(int decimals)
{
    decimals_ = std::clamp(decimals, 0, kMaxDecimals);
    formatMask_ =
        decimals_ == 0 ? "0" : "0." + std::string(static_cast<std::size_t>(decimals_), '0');
}

void NumericEditRules::SetDecimals(int decimals)
{
    AssignDecimals(decimals);
    UpdateFormat();
}

double NumericEditRules::Value() const
{
    return TextToFloat(Utf16ToUtf8(text_.str()), Utf16ToUtf8(std::u16string_view(&separator_, 1)));
}

void NumericEditRules::SetValue(double value)
{
    const std::string separator = Utf16ToUtf8(std::u16string_view(&separator_, 1));
    replaceText(Utf8ToUtf16(FloatToFixed(value, decimals_, separator)));
}

void NumericEditRules::UpdateFormat()
{
    AssignDecimals(decimals_); // rebuilds FormatMask
    SetValue(Value());
}

bool NumericEditRules::RangeViolated() const
{
    if (minValue_ == maxValue_)
        return false;
    const double value = Value();
    return value < minValue_ || value > maxValue_;
}

void NumericEditRules::KeyDown(int &key)
{
    if (readOnly_ || key != kVkDelete)
        return;
    if (selLength_ > 0)
        DeleteSelection();
    else
        DeleteCharacter(DeleteKind::Delete);
    key = 0;
}

NumericEditRules::Request NumericEditRules::requestOf(char16_t c) const
{
    switch (c) {
    case kCtrlC:
        return Request::Copy;
    case kCtrlV:
        return Request::Paste;
    case kCtrlX:
        return Request::Cut;
    default:
        return Request::None;
    }
}

NumericEditRules::Request NumericEditRules::KeyPress(char16_t c)
{
    // 1. The handler sees the character first and may replace or clear it.
    if (OnKeyPress)
        OnKeyPress(c);
    // 2. A read-only field hands the character to the native edit unchanged.
    if (readOnly_)
        return requestOf(c);
    // 3. Copy, paste and cut characters become requests of the native edit.
    if (c == kCtrlC || c == kCtrlV || c == kCtrlX)
        return requestOf(c);
    // 4. The separator shrinks the selection; anything else removes it.
    const bool hadSelection = selLength_ > 0;
    if (c == separator_)
        selLength_ = 0;
    else
        DeleteSelection();
    // 5. The sign flag.
    const bool signFlag = text_.hasMinus();
    // 6. Only digits, "-", Backspace and the separator are kept.
    if (!(isDigit(c) || c == u'-' || c == kBackspace || c == separator_))
        c = kNone;
    // 7. No separator in an integer field.
    if (c == separator_ && decimals_ == 0)
        c = kNone;
    // 8. "-" toggles the sign wherever the caret stands.
    if (c == u'-') {
        const int a = selStart_;
        if (!text_.hasMinus()) {
            text_.insert(0, u'-');
            setCaretInternal(a + 1);
        } else {
            text_.erase(0);
            setCaretInternal(a > 0 ? a - 1 : 0);
        }
        c = kNone;
    }
    const int n = Length();
    // 9. Nothing is appended after the last fraction digit.
    if (selStart_ == n && decimals_ > 0 && c != kBackspace && c != separator_)
        c = kNone;
    // 10. The separator moves the caret to the fraction digits.
    if (c == separator_) {
        setCaretInternal(n - decimals_);
        c = kNone;
    }
    // 11. Never before the sign.
    if (signFlag && selStart_ == 0)
        setCaretInternal(1);
    // 12.
    if (c == kNone)
        return Request::None;
    // 13. Backspace.
    if (c == kBackspace) {
        if (!hadSelection)
            DeleteCharacter(DeleteKind::Backspace);
        return Request::None;
    }
    // 14. A digit: choose what it replaces, then the native insertion.
    const int s = selStart_;
    const int b = n - decimals_;
    if (s <= 2 && charAt(2) == u'0' && signFlag)
        selectInternal(1, 1);
    else if (s <= 1 && charAt(1) == u'0')
        selectInternal(0, 1);
    else if (decimals_ == 0)
        ; // insert
    else if (s >= b)
        selectInternal(s, 1); // overwrite a fraction digit
    else if (s == b - 1)
        ; // insert right before the separator
    else
        selectInternal(s, 1); // overwrite an integer digit
    nativeInsert(c);
    return Request::None;
}

void NumericEditRules::nativeInsert(char16_t c)
{
    const int oldLength = Length();
    const int newLength = oldLength - selLength_ + 1;
    if (maxLength_ > 0 && newLength > maxLength_ && newLength > oldLength)
        return; // the native edit refuses a character that grows the text beyond MaxLength
    const auto start = static_cast<std::size_t>(selStart_);
    if (selLength_ == 1) {
        text_.set(start, c);
    } else {
        for (int i = 0; i < selLength_; ++i)
            text_.erase(start);
        text_.insert(start, c);
    }
    setCaretInternal(selStart_ + 1);
}

void NumericEditRules::DeleteCharacter(DeleteKind kind)
{
    const int n = Length();
    const int p = selStart_ + (kind == DeleteKind::Delete ? 1 : 0);
    selLength_ = 0;
    if (p <= 0 || p >= n + 1)
        return;
    const auto at = static_cast<std::size_t>(p - 1); // index of character p
    const bool hasSign = text_.hasMinus();
    if (decimals_ == 0) {
        if (p == 2 && n == 2 && hasSign) {
            text_.assign(u"-0");
            setCaretInternal(1);
        } else if (p == 1 && n == 1) {
            text_.assign(u"0");
            setCaretInternal(1);
        } else {
            text_.erase(at);
            setCaretInternal(p - 1);
        }
        return;
    }
    const int b = n - decimals_;
    if (p > b) {
        text_.erase(at);
        text_.insert(text_.size(), u'0');
        setCaretInternal(p - 1);
    } else if (p == b) {
        setCaretInternal(kind == DeleteKind::Delete ? b : b - 1);
    } else if (p == 2 && p == b - 1 && hasSign) {
        text_.set(at, u'0');
        setCaretInternal(1);
    } else if (p == 1 && p == b - 1) {
        text_.set(at, u'0');
        setCaretInternal(1);
    } else {
        text_.erase(at);
        setCaretInternal(p - 1);
    }
}

void NumericEditRules::DeleteSelection()
{
    const int k = selLength_;
    setCaretInternal(selStart_ + k);
    for (int i = 0; i < k; ++i)
        DeleteCharacter(DeleteKind::Backspace);
}

std::u16string NumericEditRules::Cut()
{
    if (readOnly_)
        return {};
    std::u16string selected = SelectedText();
    DeleteSelection();
    return selected;
}

void NumericEditRules::feed(std::u16string_view characters)
{
    for (const char16_t c : characters)
        KeyPress(c); // a request among pasted characters is dropped
}

void NumericEditRules::Paste(std::u16string_view clipboard)
{
    if (readOnly_)
        return;
    DeleteSelection();
    feed(clipboard);
}

void NumericEditRules::InsertCharacters(std::u16string_view characters)
{
    if (readOnly_)
        return;
    feed(characters);
}
