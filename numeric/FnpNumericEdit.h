#pragma once

#include "numericeditrules.h"

#include <QLineEdit>

#include <functional>

class QMenu;

// The numeric entry field: a single-line edit that keeps one decimal number in
// canonical text form while it is typed (NumericEditRules does the editing), and checks a range
// when the focus leaves it.
//
// Every way text enters the field goes through the rules' character path: typed characters,
// Ctrl+V, Shift+Insert, the context menu's Paste, middle-click paste of the X11 selection, drag
// and drop, input-method commits, and the edit slots paste() and insert(). Every removal goes
// through DeleteSelection or DeleteCharacter: Delete (in any combination with Shift, Ctrl and
// Alt, so Shift+Delete deletes without copying, as the key-down rule says), Backspace,
// Ctrl+X, the context menu's Cut and Delete, the slots cut(), del() and backspace(). Copy keeps
// Qt's own handling; undo and redo are disabled. An edit that the base QLineEdit would still make
// by itself (a key sequence this class does not know) is undone at once. Only a direct write of
// the text (QLineEdit::setText, clear()) can leave a text that is not canonical.
//
// Events are public std::function members. An exception that a handler throws (or the range
// check's EConvertError) ends the widget's event function; it goes to the application's error
// reporting as TApplication::notify() would send it there (TApplication::HandleException, with
// the field as sender), but from the event function itself, so that it never unwinds through
// Qt's event delivery, which is built without exception support (the convention of the
// platform's RaiseNotifyEvent). Without a TApplication it propagates out of the event function.
// The slots below, mostly run by signals, report their errors the same way. Calls of the
// field's other methods (setValue, setDecimals) let exceptions pass to their caller.
//
// During one operation the rules hold the current text and the QLineEdit is updated once at its
// end: a handler that runs inside an operation (OnKeyPress during a paste) reads the current
// number through Value(), while QLineEdit::text() still shows the text from before the
// operation. OnChange is raised once per operation that changed the text (also when a handler's
// exception ends the operation early), and for every direct write of the text.
class TFnpNumericEdit : public QLineEdit
{
    Q_OBJECT
    // The base edit's properties of the same names would bypass the rules.
    Q_PROPERTY(int maxLength READ MaxLength WRITE setMaxLength)
    Q_PROPERTY(bool readOnly READ ReadOnly WRITE setReadOnly)
    Q_PROPERTY(Qt::Alignment alignment READ Alignment WRITE setAlignment)

public:
    explicit TFnpNumericEdit(QWidget *parent = nullptr);
    ~TFnpNumericEdit() override;

    Qt::Alignment Alignment() const;
    void setAlignment(Qt::Alignment alignment);

    // 0 to 9; a write clamps, stores and reformats the text (even when unchanged). Raises
    // EConvertError when the text is not a number.
    int Decimals() const;
    void setDecimals(int decimals);

    double MinValue() const { return rules_.MinValue(); }
    void setMinValue(double value) { rules_.SetMinValue(value); }
    double MaxValue() const { return rules_.MaxValue(); }
    void setMaxValue(double value) { rules_.SetMaxValue(value); }

    // The number of the text; raises EConvertError "'<text>' is not a valid floating point
    // value". A write formats the number with the field's decimals.
    double Value() const;
    void setValue(double value);

    QString Version() const;
    void setVersion(const QString &version);

    // 0: no limit. Applies to each insertion; the sign toggle and direct writes may exceed it.
    int MaxLength() const;
    void setMaxLength(int maxLength);

    // A read-only field refuses cut, paste and drops too (copy still works).
    bool ReadOnly() const;
    void setReadOnly(bool readOnly);

    bool AutoSelect() const { return autoSelect_; }
    void setAutoSelect(bool autoSelect) { autoSelect_ = autoSelect; }

    // The base edit's standard menu, with Cut, Paste and Delete routed through the rules and
    // Undo and Redo disabled. The field's own context menu is this one.
    QMenu *createStandardContextMenu();

    // The rules the field edits with (read-only access, for tests and diagnostics).
    const NumericEditRules &Rules() const { return rules_; }

    std::function<void(QObject *Sender)> OnInvalidEntry;
    std::function<void(QObject *Sender)> OnEnter;
    std::function<void(QObject *Sender)> OnExit;
    std::function<void(QObject *Sender)> OnChange;
    // Set Key to QChar() to clear it.
    std::function<void(QObject *Sender, QChar &Key)> OnKeyPress;
    // Key is a Qt::Key code; a handled Delete arrives as 0. Setting Key to 0 consumes the key.
    std::function<void(QObject *Sender, int &Key, Qt::KeyboardModifiers Shift)> OnKeyDown;

public slots:
    // The base edit's editing slots, routed through the rules (they hide QLineEdit's own, also
    // for string-based connections). cut() and paste() act as the cut and paste requests,
    // del() as the Delete key, backspace() and insert() as typed characters; undo() and redo()
    // do nothing.
    void cut();
    void paste();
    void del();
    void backspace();
    void insert(const QString &text);
    void undo();
    void redo();

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void contextMenuEvent(QContextMenuEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void dropEvent(QDropEvent *e) override;
    void inputMethodEvent(QInputMethodEvent *e) override;

private:
    // Runs the body of an event function: see the class comment for where exceptions go.
    template <class F> void eventFunction(F &&body);
    bool leavesForGood() const;
    void handleKeyPress(QKeyEvent *e);
    void handleFocusIn(QFocusEvent *e);
    void handleFocusOut(QFocusEvent *e);
    QMenu *buildMenu(bool connectActions);
    void onTextEdited();
    void onTextChanged(const QString &text);
    // Runs one operation on the rules: takes the widget's selection first, then updates the
    // widget once and raises OnChange if the text changed (also when the operation throws).
    template <class F> void operate(F &&operation);
    void finishOperation();
    void pullSelection();
    void pushState();
    void characterPath(char16_t c);
    void pasteRequest();
    void cutRequest();
    void copyRequest();
    void deleteRequest();
    bool isTextInput(const QKeyEvent *e) const;

    NumericEditRules rules_;
    bool autoSelect_ = true;
    bool entered_ = false;    // between OnEnter and OnExit
    bool pushing_ = false;    // the widget's text is being set from the rules
    bool nativeEdit_ = false; // the base edit is changing the text by itself
    bool changed_ = false;    // the current operation changed the text
    int reverts_ = 0;         // count of native edits undone
    int operationDepth_ = 0;
};
