#include "FnpNumericEdit.h"

#include "application.h"
#include "regional.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDragLeaveEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QStringView>

#include <limits>

namespace {

const QString kVersion = QStringLiteral("1.00.01");

std::u16string toU16(const QString &text)
{
    return std::u16string(QStringView(text).utf16(), static_cast<std::size_t>(text.size()));
}

QString toQString(const std::u16string &text)
{
    return QString::fromStdU16String(text);
}

// Scope that sets a flag and restores its previous value.
class FlagScope
{
public:
    FlagScope(bool &flag, bool value) : flag_(flag), previous_(flag) { flag_ = value; }
    ~FlagScope() { flag_ = previous_; }
    FlagScope(const FlagScope &) = delete;
    FlagScope &operator=(const FlagScope &) = delete;

private:
    bool &flag_;
    bool previous_;
};

QString withShortcut(const QString &text, QKeySequence::StandardKey key)
{
#if QT_CONFIG(shortcut)
    const QString shortcut = QKeySequence(key).toString(QKeySequence::NativeText);
    if (!shortcut.isEmpty())
        return text + QLatin1Char('\t') + shortcut;
#else
    Q_UNUSED(key);
#endif
    return text;
}

} // namespace

TFnpNumericEdit::TFnpNumericEdit(QWidget *parent)
    : QLineEdit(parent), rules_(UserDecimalSeparator().unicode())
{
    // The base edit's own limit would cut direct writes and the sign toggle; the field's
    // MaxLength lives in the rules.
    QLineEdit::setMaxLength(std::numeric_limits<int>::max());
    resize(73, sizeHint().height());
    QLineEdit::setAlignment(Qt::AlignRight);
    setInputMethodHints(Qt::ImhFormattedNumbersOnly);

    rules_.OnKeyPress = [this](char16_t &c) {
        if (OnKeyPress) {
            QChar key(c);
            OnKeyPress(this, key);
            c = key.unicode();
        }
    };
    connect(this, &QLineEdit::textEdited, this, &TFnpNumericEdit::onTextEdited);
    connect(this, &QLineEdit::textChanged, this, &TFnpNumericEdit::onTextChanged);

    // The rules were made showing Value 0 with 2 decimals.
    pushState();
    changed_ = false;
}

TFnpNumericEdit::~TFnpNumericEdit() = default;

template <class F> void TFnpNumericEdit::eventFunction(F &&body)
{
    if (!Application) {
        body();
        return;
    }
    try {
        body();
    } catch (...) {
        Application->HandleException(this, std::current_exception());
    }
}

// ---------------------------------------------------------------------------------------------
// Properties

Qt::Alignment TFnpNumericEdit::Alignment() const
{
    return QLineEdit::alignment();
}

void TFnpNumericEdit::setAlignment(Qt::Alignment alignment)
{
    if (alignment != QLineEdit::alignment())
        QLineEdit::setAlignment(alignment);
}

int TFnpNumericEdit::Decimals() const
{
    return rules_.Decimals();
}

void TFnpNumericEdit::setDecimals(int decimals)
{
    operate([&] { rules_.SetDecimals(decimals); });
}

double TFnpNumericEdit::Value() const
{
    return rules_.Value();
}

void TFnpNumericEdit::setValue(double value)
{
    operate([&] { rules_.SetValue(value); });
}

QString TFnpNumericEdit::Version() const
{
    return kVersion;
}

void TFnpNumericEdit::setVersion(const QString &) {}

int TFnpNumericEdit::MaxLength() const
{
    return rules_.MaxLength();
}

void TFnpNumericEdit::setMaxLength(int maxLength)
{
    rules_.SetMaxLength(maxLength);
}

bool TFnpNumericEdit::ReadOnly() const
{
    return rules_.ReadOnly();
}

void TFnpNumericEdit::setReadOnly(bool readOnly)
{
    rules_.SetReadOnly(readOnly);
    QLineEdit::setReadOnly(readOnly);
}

// ---------------------------------------------------------------------------------------------
// Keeping the widget and the rules in step

void TFnpNumericEdit::pullSelection()
{
    if (hasSelectedText())
        rules_.SetSelection(selectionStart(), selectionLength());
    else
        rules_.SetCaret(cursorPosition());
}

void TFnpNumericEdit::pushState()
{
    {
        FlagScope pushing(pushing_, true);
        const QString current = QLineEdit::text();
        if (!rules_.Chars().equals(std::u16string_view(QStringView(current).utf16(),
                                                       static_cast<std::size_t>(current.size())))) {
            QLineEdit::setText(toQString(rules_.Text()));
            changed_ = true;
        }
        const int start = rules_.SelStart();
        const int length = rules_.SelLength();
        const int widgetStart = hasSelectedText() ? selectionStart() : cursorPosition();
        const int widgetLength = hasSelectedText() ? selectionLength() : 0;
        if (start != widgetStart || length != widgetLength) {
            if (length > 0)
                setSelection(start, length);
            else
                setCursorPosition(start);
        }
    }
}

template <class F> void TFnpNumericEdit::operate(F &&operation)
{
    if (operationDepth_ == 0) {
        pullSelection();
        changed_ = false;
    }
    ++operationDepth_;
    try {
        operation();
    } catch (...) {
        --operationDepth_;
        finishOperation(); // what the operation changed before the error stays
        throw;
    }
    --operationDepth_;
    finishOperation();
}

void TFnpNumericEdit::finishOperation()
{
    if (operationDepth_ > 0)
        return;
    pushState();
    if (changed_) {
        changed_ = false;
        if (OnChange)
            OnChange(this);
    }
}

void TFnpNumericEdit::onTextEdited()
{
    // The base edit changed the text by itself (its own editing of a key, a drop, an input
    // method, or a base-class slot called through a QLineEdit pointer). textEdited comes right
    // before textChanged; the change is undone there.
    if (!pushing_)
        nativeEdit_ = true;
}

void TFnpNumericEdit::onTextChanged(const QString &text)
{
    if (pushing_)
        return;
    if (nativeEdit_) {
        nativeEdit_ = false;
        ++reverts_;
        const bool changed = changed_;
        pushState(); // back to the rules' text; setText also clears the base's undo history
        changed_ = changed;
        return;
    }
    // A direct write of the text: the rules take it as it is.
    rules_.SetText(toU16(text));
    pullSelection();
    if (operationDepth_ > 0) {
        changed_ = true; // raised when the operation ends
    } else {
        // Raised from inside the base edit's setText: reported like a component's handler.
        RaiseNotifyEvent(OnChange, this);
    }
}

// ---------------------------------------------------------------------------------------------
// Requests

void TFnpNumericEdit::characterPath(char16_t c)
{
    auto request = NumericEditRules::Request::None;
    operate([&] { request = rules_.KeyPress(c); });
    switch (request) {
    case NumericEditRules::Request::Copy:
        copyRequest();
        break;
    case NumericEditRules::Request::Paste:
        pasteRequest();
        break;
    case NumericEditRules::Request::Cut:
        cutRequest();
        break;
    case NumericEditRules::Request::None:
        break;
    }
}

void TFnpNumericEdit::copyRequest()
{
    QLineEdit::copy();
}

void TFnpNumericEdit::cutRequest()
{
    if (rules_.ReadOnly())
        return;
    QLineEdit::copy(); // the base edit's own copy of the selection
    operate([&] { rules_.DeleteSelection(); });
}

void TFnpNumericEdit::pasteRequest()
{
    if (rules_.ReadOnly())
        return;
    const QString clipboard = QGuiApplication::clipboard()->text();
    operate([&] { rules_.Paste(toU16(clipboard)); });
}

void TFnpNumericEdit::deleteRequest()
{
    if (rules_.ReadOnly())
        return;
    operate([&] { rules_.DeleteSelection(); });
}

// The slots are mostly run by signals (menu actions, buttons): their errors are reported like
// a component's handler's.
void TFnpNumericEdit::cut()
{
    eventFunction([this] { cutRequest(); });
}

void TFnpNumericEdit::paste()
{
    eventFunction([this] { pasteRequest(); });
}

void TFnpNumericEdit::del()
{
    eventFunction([this] {
        operate([this] {
            int key = NumericEditRules::kVkDelete;
            rules_.KeyDown(key);
        });
    });
}

void TFnpNumericEdit::backspace()
{
    eventFunction([this] { characterPath(NumericEditRules::kBackspace); });
}

void TFnpNumericEdit::insert(const QString &text)
{
    eventFunction([&] { operate([&] { rules_.InsertCharacters(toU16(text)); }); });
}

void TFnpNumericEdit::undo() {}
void TFnpNumericEdit::redo() {}

// ---------------------------------------------------------------------------------------------
// Keys

bool TFnpNumericEdit::isTextInput(const QKeyEvent *e) const
{
    // What QLineEdit itself would insert as text (QInputControl::isAcceptableInput).
    const QString text = e->text();
    if (text.isEmpty())
        return false;
    const QChar c = text.at(0);
    if (c.category() == QChar::Other_Format)
        return true;
    const Qt::KeyboardModifiers modifiers = e->modifiers();
    if (modifiers == Qt::ControlModifier || modifiers == (Qt::ShiftModifier | Qt::ControlModifier))
        return false;
    if (c.isPrint() || c.category() == QChar::Other_PrivateUse)
        return true;
    return c.isHighSurrogate() && text.size() > 1 && text.at(1).isLowSurrogate();
}

void TFnpNumericEdit::keyPressEvent(QKeyEvent *e)
{
    e->accept();
    eventFunction([&] { handleKeyPress(e); });
}

void TFnpNumericEdit::handleKeyPress(QKeyEvent *e)
{
    // Key down (item 6): Delete, whatever the modifiers, goes to the rules and is consumed;
    // then OnKeyDown.
    int key = e->key();
    const Qt::KeyboardModifiers shift = e->modifiers();
    if (key == Qt::Key_Delete && !rules_.ReadOnly()) {
        operate([&] {
            int vk = NumericEditRules::kVkDelete;
            rules_.KeyDown(vk);
        });
        key = 0;
    }
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
    if (key == 0)
        return;

    // The character that the key makes (item 7), or the request it makes of the edit.
    if (e->key() == Qt::Key_Backspace) {
        if (shift & Qt::AltModifier)
            return; // Alt+Backspace is undo
        // Ctrl+Backspace types the DEL character, as in a classic edit control; the filter
        // refuses it (after removing the selection).
        characterPath(shift & Qt::ControlModifier ? char16_t(0x7F) : NumericEditRules::kBackspace);
        return;
    }
    if (e->matches(QKeySequence::Paste)) {
        if (e->key() == Qt::Key_V)
            characterPath(NumericEditRules::kCtrlV);
        else
            pasteRequest(); // Shift+Insert, the Paste key
        return;
    }
    if (e->matches(QKeySequence::Cut)) {
        if (e->key() == Qt::Key_X)
            characterPath(NumericEditRules::kCtrlX);
        else
            cutRequest();
        return;
    }
    if (e->matches(QKeySequence::Copy)) {
        if (e->key() == Qt::Key_C)
            characterPath(NumericEditRules::kCtrlC);
        else
            copyRequest();
        return;
    }
    if (e->matches(QKeySequence::Undo) || e->matches(QKeySequence::Redo) ||
        e->matches(QKeySequence::DeleteStartOfWord) || e->matches(QKeySequence::DeleteEndOfWord) ||
        e->matches(QKeySequence::DeleteEndOfLine) || e->matches(QKeySequence::DeleteCompleteLine))
        return;
    if (isTextInput(e)) {
        for (const QChar c : e->text())
            characterPath(c.unicode());
        return;
    }
    // Navigation, selection, Enter and the like keep the base edit's handling; an edit it would
    // still make is undone in onTextChanged.
    e->ignore();
    QLineEdit::keyPressEvent(e);
}

// ---------------------------------------------------------------------------------------------
// Focus

void TFnpNumericEdit::focusInEvent(QFocusEvent *e)
{
    eventFunction([&] { handleFocusIn(e); });
}

void TFnpNumericEdit::handleFocusIn(QFocusEvent *e)
{
    const Qt::FocusReason reason = e->reason();
    // The base edit selects all on Tab, Backtab and shortcut focus by itself; the select-all
    // here follows AutoSelect instead.
    const bool baseSelects = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                             reason == Qt::ShortcutFocusReason;
    QFocusEvent forwarded(QEvent::FocusIn, baseSelects ? Qt::OtherFocusReason : reason);
    QLineEdit::focusInEvent(&forwarded);

    if (entered_ && (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
                     reason == Qt::MenuBarFocusReason))
        return; // the window was reactivated, or a popup closed: the focus never left
    // A field that gets the focus while its window is inactive is entered when the window
    // becomes active (the focus-in event then comes with ActiveWindowFocusReason).
    entered_ = true;
    const bool fromClick =
        reason == Qt::MouseFocusReason && (QGuiApplication::mouseButtons() & Qt::LeftButton);
    if (autoSelect_ && !fromClick)
        operate([&] { rules_.SelectAll(); });
    if (OnEnter)
        OnEnter(this);
}

bool TFnpNumericEdit::leavesForGood() const
{
    // The focus leaves the field in the field's sense when it goes to another widget of the same
    // window. It does not when the window is deactivated (a message box, another program: no
    // widget has the focus for now) or a popup opens (the focus widget stays); it comes back
    // without a new enter.
    const QWidget *next = QApplication::focusWidget();
    return next && next != this && next->window() == window();
}

void TFnpNumericEdit::focusOutEvent(QFocusEvent *e)
{
    QLineEdit::focusOutEvent(e);
    eventFunction([&] { handleFocusOut(e); });
}

void TFnpNumericEdit::handleFocusOut(QFocusEvent *e)
{
    if (!entered_ || e->reason() == Qt::PopupFocusReason || e->reason() == Qt::MenuBarFocusReason ||
        !leavesForGood())
        return;
    entered_ = false;
    if (rules_.RangeViolated()) { // an EConvertError stops here, before OnExit
        if (OnInvalidEntry)
            OnInvalidEntry(this);
    }
    if (OnExit)
        OnExit(this);
}

// ---------------------------------------------------------------------------------------------
// Context menu

QMenu *TFnpNumericEdit::buildMenu(bool connectActions)
{
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("qt_edit_menu"));
    const bool editable = !rules_.ReadOnly();
    const bool selection = hasSelectedText();

    auto add = [&](const QString &objectName, const QString &text, bool enabled) {
        QAction *action = menu->addAction(text);
        action->setObjectName(objectName);
        action->setEnabled(enabled);
        return action;
    };
    add(QStringLiteral("edit-undo"), withShortcut(QLineEdit::tr("&Undo"), QKeySequence::Undo),
        false);
    add(QStringLiteral("edit-redo"), withShortcut(QLineEdit::tr("&Redo"), QKeySequence::Redo),
        false);
    menu->addSeparator();
    QAction *cutAction =
        add(QStringLiteral("edit-cut"), withShortcut(QLineEdit::tr("Cu&t"), QKeySequence::Cut),
            editable && selection && echoMode() == QLineEdit::Normal);
    QAction *copyAction =
        add(QStringLiteral("edit-copy"), withShortcut(QLineEdit::tr("&Copy"), QKeySequence::Copy),
            selection && echoMode() == QLineEdit::Normal);
    QAction *pasteAction = add(QStringLiteral("edit-paste"),
                               withShortcut(QLineEdit::tr("&Paste"), QKeySequence::Paste),
                               editable && !QGuiApplication::clipboard()->text().isEmpty());
    QAction *deleteAction =
        add(QStringLiteral("edit-delete"), QLineEdit::tr("Delete"), editable && selection);
    menu->addSeparator();
    QAction *selectAllAction =
        add(QStringLiteral("select-all"),
            withShortcut(QLineEdit::tr("Select All"), QKeySequence::SelectAll),
            !text().isEmpty() && selectedText().size() != text().size());

    // Copy and Select All change no text and keep the base edit's handling.
    connect(copyAction, &QAction::triggered, this, &QLineEdit::copy);
    connect(selectAllAction, &QAction::triggered, this, &QLineEdit::selectAll);
    if (connectActions) {
        // Run from inside Qt's signal delivery: errors are reported like a component's.
        connect(cutAction, &QAction::triggered, this,
                [this] { eventFunction([this] { cutRequest(); }); });
        connect(pasteAction, &QAction::triggered, this,
                [this] { eventFunction([this] { pasteRequest(); }); });
        connect(deleteAction, &QAction::triggered, this,
                [this] { eventFunction([this] { deleteRequest(); }); });
    }
    return menu;
}

QMenu *TFnpNumericEdit::createStandardContextMenu()
{
    return buildMenu(true);
}

void TFnpNumericEdit::contextMenuEvent(QContextMenuEvent *e)
{
    // The command runs after the menu has closed, here, so that an exception of a handler
    // leaves this event function.
    QPointer<TFnpNumericEdit> self(this);
    QPointer<QMenu> menu(buildMenu(false));
    QAction *chosen = menu->exec(e->globalPos());
    e->accept();
    if (!self || !menu)
        return;
    const QString command = chosen ? chosen->objectName() : QString();
    delete menu.data();
    eventFunction([&] {
        if (command == QLatin1String("edit-cut"))
            cutRequest();
        else if (command == QLatin1String("edit-paste"))
            pasteRequest();
        else if (command == QLatin1String("edit-delete"))
            deleteRequest();
    });
}

// ---------------------------------------------------------------------------------------------
// Mouse, drag and drop, input methods

void TFnpNumericEdit::mouseMoveEvent(QMouseEvent *e)
{
    // With dragging enabled, the base edit starts a drag here and removes the dragged text when
    // it was moved elsewhere. That removal is undone as a native edit and made again through
    // DeleteSelection.
    const bool hadSelection = hasSelectedText();
    const int widgetStart = selectionStart();
    const int widgetLength = selectionLength();
    const int reverts = reverts_;
    QLineEdit::mouseMoveEvent(e);
    if (reverts_ != reverts && hadSelection && !rules_.ReadOnly()) {
        setSelection(widgetStart, widgetLength);
        eventFunction([&] { operate([&] { rules_.DeleteSelection(); }); });
    }
}

void TFnpNumericEdit::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
        // Middle-click paste of the X11 selection at the caret that the press has placed.
        e->accept();
        if (rules_.ReadOnly())
            return;
        const QString selection = QGuiApplication::clipboard()->text(QClipboard::Selection);
        const int caret = cursorPosition();
        eventFunction([&] {
            operate([&] {
                rules_.SetCaret(caret);
                rules_.InsertCharacters(toU16(selection));
            });
        });
        return;
    }
    QLineEdit::mouseReleaseEvent(e);
}

void TFnpNumericEdit::dropEvent(QDropEvent *e)
{
    if (rules_.ReadOnly() || !e->mimeData()->hasText()) {
        e->ignore();
        return;
    }
    const QString dropped = e->mimeData()->text();
    const int position = cursorPositionAt(e->position().toPoint());
    if (e->source() == this) {
        // Never a move within the field: the base edit would remove the dragged text itself.
        e->setDropAction(Qt::CopyAction);
        e->accept();
    } else {
        e->acceptProposedAction();
    }
    QDragLeaveEvent leave; // hides the drop caret that dragMoveEvent showed
    QLineEdit::dragLeaveEvent(&leave);
    eventFunction([&] {
        operate([&] {
            rules_.SetCaret(position);
            rules_.InsertCharacters(toU16(dropped));
        });
    });
}

void TFnpNumericEdit::inputMethodEvent(QInputMethodEvent *e)
{
    if (rules_.ReadOnly()) {
        e->ignore();
        return;
    }
    e->accept();
    const QString commit = e->commitString();
    const int replacementStart = e->replacementStart();
    const int replacementLength = e->replacementLength();
    eventFunction([&] {
        if (!commit.isEmpty() || replacementLength > 0) {
            const int caret = cursorPosition();
            operate([&] {
                if (replacementLength > 0) {
                    rules_.SetSelection(caret + replacementStart, replacementLength);
                    if (commit.isEmpty())
                        rules_.DeleteSelection();
                }
                rules_.InsertCharacters(toU16(commit));
            });
        }
        // The base edit shows the preedit text (which is not part of the text). It would remove
        // a selection when a composition starts: remove it through the rules first.
        if (!e->preeditString().isEmpty() && hasSelectedText())
            operate([&] { rules_.DeleteSelection(); });
    });
    QInputMethodEvent preedit(e->preeditString(), e->attributes());
    QLineEdit::inputMethodEvent(&preedit);
}
