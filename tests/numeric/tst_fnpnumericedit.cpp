// Widget tests of TFnpNumericEdit with real key, mouse, focus, context-menu, drag-and-drop and
// input-method events, on the offscreen platform (one test needs an X11 selection and runs under
// Xvfb as well).

#include "FnpNumericEdit.h"
#include "application.h"
#include "fieldnotation.h"
#include "matherrors.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <stdexcept>

namespace {

// The program's application object, whose error reporting records instead of showing a box.
struct ReportedError
{
    QObject *sender;
    QString message;
};
QList<ReportedError> reported;

QStringList reportedMessages()
{
    QStringList messages;
    for (const ReportedError &e : reported)
        messages << e.message;
    return messages;
}

// While it exists there is no TApplication for the widgets to report to.
class WithoutApplication
{
public:
    WithoutApplication() : saved_(Application) { Application = nullptr; }
    ~WithoutApplication() { Application = saved_; }
    WithoutApplication(const WithoutApplication &) = delete;
    WithoutApplication &operator=(const WithoutApplication &) = delete;

private:
    TApplication *saved_;
};

QString u(const char *text)
{
    return QString::fromUtf8(text);
}

std::u16string toU16(const QString &s)
{
    return s.toStdU16String();
}

// The widget's contents in the field notation.
QString state(const QLineEdit *edit)
{
    FieldState s;
    s.text = toU16(edit->text());
    s.selStart = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    s.selLength = edit->selectionLength();
    return QString::fromStdU16String(FormatFieldState(s));
}

// Sets the text directly and places caret or selection.
void load(QLineEdit *edit, const QString &notation)
{
    FieldState s;
    std::string error;
    QVERIFY2(ParseFieldState(toU16(notation), s, error), error.c_str());
    edit->setText(QString::fromStdU16String(s.text));
    if (s.selLength > 0)
        edit->setSelection(s.selStart, s.selLength);
    else
        edit->setCursorPosition(s.selStart);
}

// One key token of the replay notation, as real key events.
void press(QWidget *w, const QString &token)
{
    if (token == u("BS")) {
        QTest::keyClick(w, Qt::Key_Backspace);
    } else if (token == u("DEL")) {
        QTest::keyClick(w, Qt::Key_Delete);
    } else if (token == u("CUT")) {
        QTest::keyClick(w, Qt::Key_X, Qt::ControlModifier);
    } else if (token.startsWith(u("PASTE="))) {
        QGuiApplication::clipboard()->setText(token.mid(6));
        QTest::keyClick(w, Qt::Key_V, Qt::ControlModifier);
    } else {
        QCOMPARE(token.size(), 1);
        QTest::keyClick(w, token.at(0).toLatin1());
    }
}

void pressAll(QWidget *w, const QString &tokens)
{
    for (const QString &token : tokens.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        press(w, token);
}

// A shown, active window with two fields side by side.
struct Window
{
    QWidget window;
    TFnpNumericEdit *edit = nullptr;
    TFnpNumericEdit *other = nullptr;

    Window()
    {
        auto *layout = new QHBoxLayout(&window);
        edit = new TFnpNumericEdit(&window);
        other = new TFnpNumericEdit(&window);
        edit->setObjectName(u("edit"));
        other->setObjectName(u("other"));
        edit->setMinimumWidth(200);
        layout->addWidget(edit);
        layout->addWidget(other);
        window.show();
    }

    bool activate()
    {
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            return false;
        other->setFocus(Qt::OtherFocusReason);
        return other->hasFocus();
    }

    // Focus in the edit by program; the text then is all selected (AutoSelect).
    void focusEdit()
    {
        edit->setFocus(Qt::OtherFocusReason);
        QVERIFY(edit->hasFocus());
    }
};

} // namespace

class TestFnpNumericEdit : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        reported.clear();
        QGuiApplication::clipboard()->clear();
    }

    void defaults();
    void windowFieldsShowTheirValues();
    void decimalsAndValueWrites();
    void edgeCaseTableWithRealKeys_data();
    void edgeCaseTableWithRealKeys();
    void keyPressComesBeforeTheFilter();
    void keyDownComesAfterDelete();
    void deleteKeyWithAnyModifier();
    void onChangeOncePerChange();
    void focusInSelectsAllBeforeOnEnter();
    void focusFromMouseClickDoesNotSelectAll();
    void autoSelectOff();
    void windowDeactivationIsNoExit();
    void rangeCheckOnExit();
    void conversionErrorStopsBeforeOnExit();
    void handlerErrorsGoToTheApplication();
    void withoutTApplicationErrorsLeaveTheEventFunction();
    void ctrlVShiftInsertAndCtrlX();
    void ctrlVCharacterCanBeClearedByOnKeyPress();
    void ctrlCCopies();
    void contextMenuPasteCutDelete();
    void dragAndDrop();
    void inputMethodCommit();
    void maxLength16();
    void undoRedoDisabled();
    void nativeEditsAreUndone();
    void slotsGoThroughTheRules();
    void readOnlyRefusesEdits();
    void directWriteMayLeaveANonNumber();
    void propertiesGoThroughTheField();
    void middleClickPastesTheSelection();
};

void TestFnpNumericEdit::defaults()
{
    TFnpNumericEdit edit;
    QCOMPARE(edit.text(), u("0.00"));
    QCOMPARE(edit.Value(), 0.0);
    QCOMPARE(edit.Decimals(), 2);
    QCOMPARE(edit.Alignment(), Qt::Alignment(Qt::AlignRight));
    QCOMPARE(edit.MinValue(), 0.0);
    QCOMPARE(edit.MaxValue(), 0.0);
    QCOMPARE(edit.Version(), u("1.00.01"));
    edit.setVersion(u("2.0"));
    QCOMPARE(edit.Version(), u("1.00.01"));
    QCOMPARE(edit.MaxLength(), 0);
    QVERIFY(!edit.ReadOnly());
    QVERIFY(edit.AutoSelect());
    QCOMPARE(edit.width(), 73);
    QVERIFY(!edit.isUndoAvailable());
}

void TestFnpNumericEdit::windowFieldsShowTheirValues()
{
    // The main window sets Alignment, Decimals, then Value.
    TFnpNumericEdit loan, term, interest;
    for (TFnpNumericEdit *e : {&loan, &term, &interest})
        e->setAlignment(Qt::AlignHCenter);
    loan.setDecimals(2);
    loan.setValue(100000.0);
    term.setDecimals(0);
    term.setValue(25.0);
    interest.setDecimals(3);
    interest.setValue(8.75);
    QCOMPARE(loan.text(), u("100000.00"));
    QCOMPARE(term.text(), u("25"));
    QCOMPARE(interest.text(), u("8.750"));
    QCOMPARE(loan.Alignment(), Qt::Alignment(Qt::AlignHCenter));
    QCOMPARE(loan.alignment(), Qt::Alignment(Qt::AlignHCenter));
    QCOMPARE(loan.Value(), 100000.0);
    QCOMPARE(term.Value(), 25.0);
    QCOMPARE(interest.Value(), 8.75);
}

void TestFnpNumericEdit::decimalsAndValueWrites()
{
    TFnpNumericEdit edit;
    edit.setDecimals(12);
    QCOMPARE(edit.Decimals(), 9);
    edit.setDecimals(-3);
    QCOMPARE(edit.Decimals(), 0);
    QCOMPARE(edit.text(), u("0"));
    edit.setDecimals(3);
    edit.setValue(8.75);
    QCOMPARE(edit.text(), u("8.750"));
    edit.setDecimals(1);
    QCOMPARE(edit.text(), u("8.8"));
    edit.setDecimals(3);
    QCOMPARE(edit.text(), u("8.800"));
    edit.setDecimals(2);
    edit.setValue(0.125);
    QCOMPARE(edit.text(), u("0.13"));
    edit.setDecimals(0);
    edit.setValue(-2.5);
    QCOMPARE(edit.text(), u("-3"));
}

void TestFnpNumericEdit::edgeCaseTableWithRealKeys_data()
{
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("after");
    struct Row
    {
        int d;
        const char *before, *keys, *after;
    };
    const Row rows[] = {
        {2, "[0.00]", "1 2 3", "123^.00"},
        {2, "123^.00", ".", "123.^00"},
        {2, "123.^00", "4 5 6", "123.45^"},
        {2, "123.45^", "-", "-123.45^"},
        {2, "123.45^", "- -", "123.45^"},
        {2, "[100000.00]", "2", "2^.00"},
        {2, "^250.00", "7", "7^50.00"},
        {2, "250^.00", "7", "2507^.00"},
        {0, "^25", "7", "7^25"},
        {2, "-^25.00", "-", "2^5.00"},
        {2, "^-25.00", "9", "-9^5.00"},
        {2, "25.^00", "BS", "25^.00"},
        {2, "25^.00", "DEL", "25.^00"},
        {2, "25.^40", "DEL", "25.^00"},
        {2, "5^.00", "BS", "0^.00"},
        {2, "-5^.00", "BS", "-^0.00"},
        {0, "-5^", "BS", "-^0"},
        {0, "1^05", "BS", "^05"},
        {0, "0^", "-", "-0^"},
        {0, "0^", "- 4", "-4^"},
        {2, "12[34]56.00", "BS", "12^56.00"},
        {2, "12[34]56.00", "DEL", "12^56.00"},
        {2, "[-25.00]", "DEL", "^0.00"},
        {0, "[25]", "a", "0^"},
        {0, "[25]", ".", "^25"},
        {3, "8.^750", "1", "8.1^50"},
        {2, "[0.00]", "PASTE=12a3.4x5", "123.45^"},
        {2, "[25.00]", "PASTE=", "0^.00"},
        {2, "1[23].45", "CUT", "1^.45"},
    };
    int i = 0;
    for (const Row &r : rows) {
        QTest::addRow("%d: D=%d %s | %s", ++i, r.d, r.before, r.keys)
            << r.d << u(r.before) << u(r.keys) << u(r.after);
    }
}

void TestFnpNumericEdit::edgeCaseTableWithRealKeys()
{
    QFETCH(int, decimals);
    QFETCH(QString, before);
    QFETCH(QString, keys);
    QFETCH(QString, after);
    Window w;
    QVERIFY(w.activate());
    w.focusEdit();
    w.edit->setDecimals(decimals);
    load(w.edit, before);
    QCOMPARE(state(w.edit), before);
    pressAll(w.edit, keys);
    QCOMPARE(state(w.edit), after);
    QVERIFY(reported.isEmpty());
}

void TestFnpNumericEdit::keyPressComesBeforeTheFilter()
{
    Window w;
    QVERIFY(w.activate());
    w.focusEdit();
    load(w.edit, u("[0.00]"));
    QStringList seen;
    w.edit->OnKeyPress = [&](QObject *sender, QChar &key) {
        QCOMPARE(sender, static_cast<QObject *>(w.edit));
        seen << QString(key) + u(" on ") + state(w.edit);
        if (key == QLatin1Char('x'))
            key = QLatin1Char('7');
        else if (key == QLatin1Char('y'))
            key = QChar();
    };
    QTest::keyClick(w.edit, 'x'); // replaced by 7
    QCOMPARE(state(w.edit), u("7^.00"));
    QTest::keyClick(w.edit, Qt::Key_A, Qt::ControlModifier); // select all: no character
    QCOMPARE(state(w.edit), u("[7.00]"));
    QTest::keyClick(w.edit, 'y'); // cleared: the selection still goes
    QCOMPARE(state(w.edit), u("0^.00"));
    QCOMPARE(seen, QStringList({u("x on [0.00]"), u("y on [7.00]")}));
}

void TestFnpNumericEdit::keyDownComesAfterDelete()
{
    Window w;
    QVERIFY(w.activate());
    w.focusEdit();
    load(w.edit, u("25.^40"));
    QList<int> keys;
    QStringList states;
    w.edit->OnKeyDown = [&](QObject *sender, int &key, Qt::KeyboardModifiers) {
        QCOMPARE(sender, static_cast<QObject *>(w.edit));
        keys << key;
        states << state(w.edit);
        if (key == Qt::Key_5)
            key = 0; // consumed: no character follows
    };
    QTest::keyClick(w.edit, Qt::Key_Delete);
    QTest::keyClick(w.edit, Qt::Key_Left);
    QTest::keyClick(w.edit, Qt::Key_5);
    QCOMPARE(keys, QList<int>({0, Qt::Key_Left, Qt::Key_5}));
    QCOMPARE(states.value(0), u("25.^00")); // Delete was handled before OnKeyDown
    QCOMPARE(state(w.edit), u("25^.00"));
}

void TestFnpNumericEdit::deleteKeyWithAnyModifier()
{
    Window w;
    QVERIFY(w.activate());
    w.focusEdit();
    const Qt::KeyboardModifiers modifiers[] = {Qt::NoModifier, Qt::ShiftModifier,
                                               Qt::ControlModifier, Qt::AltModifier};
    for (Qt::KeyboardModifiers m : modifiers) {
        load(w.edit, u("12[34]56.00"));
        QGuiApplication::clipboard()->setText(u("clip"));
        QTest::keyClick(w.edit, Qt::Key_Delete, m);
        QCOMPARE(state(w.edit), u("12^56.00"));
        QCOMPARE(QGuiApplication::clipboard()->text(), u("clip")); // Shift+Delete does not cut
        QTest::keyClick(w.edit, Qt::Key_Delete, m);
        QCOMPARE(state(w.edit), u("12^6.00"));
    }
}

void TestFnpNumericEdit::onChangeOncePerChange()
{
    Window w;
    QVERIFY(w.activate());
    w.focusEdit();
    int changes = 0;
    w.edit->OnChange = [&](QObject *sender) {
        QCOMPARE(sender, static_cast<QObject *>(w.edit));
        ++changes;
    };
    load(w.edit, u("[100000.00]")); // a direct write
    QCOMPARE(changes, 1);
    QTest::keyClick(w.edit, '5');
    QCOMPARE(changes, 2);
    QTest::keyClick(w.edit, 'a'); // refused, no selection: no change
    QTest::keyClick(w.edit, Qt::Key_Left);
    QCOMPARE(changes, 2);
    w.edit->setValue(5.0); // same text
    QCOMPARE(changes, 2);
    w.edit->setValue(6.0);
    QCOMPARE(changes, 3);
    QGuiApplication::clipboard()->setText(u("123"));
    w.edit->selectAll();
    QTest::keyClick(w.edit, Qt::Key_V, Qt::ControlModifier); // one paste, one change
    QCOMPARE(changes, 4);
    QCOMPARE(w.edit->text(), u("123.00"));
}

void TestFnpNumericEdit::focusInSelectsAllBeforeOnEnter()
{
    Window w;
    QVERIFY(w.activate());
    w.edit->setValue(250.0);
    QStringList log;
    w.edit->OnEnter = [&](QObject *) { log << u("enter ") + state(w.edit); };
    w.other->OnExit = [&](QObject *) { log << u("exit other"); };
    QTest::keyClick(w.other, Qt::Key_Backtab, Qt::ShiftModifier); // from other back to edit
    if (!w.edit->hasFocus()) {
        w.other->setFocus();
        QTest::keyClick(&w.window, Qt::Key_Tab);
    }
    QVERIFY(w.edit->hasFocus());
    QCOMPARE(log, QStringList({u("exit other"), u("enter [250.00]")}));

    // Focus by program selects all too.
    w.other->setFocus(Qt::OtherFocusReason);
    w.edit->setCursorPosition(0);
    w.edit->setFocus(Qt::OtherFocusReason);
    QCOMPARE(state(w.edit), u("[250.00]"));
}

void TestFnpNumericEdit::focusFromMouseClickDoesNotSelectAll()
{
    Window w;
    QVERIFY(w.activate());
    w.edit->setValue(250.0);
    QString atEnter;
    w.edit->OnEnter = [&](QObject *) { atEnter = state(w.edit); };
    QVERIFY(w.other->hasFocus());
    QTest::mouseClick(w.edit, Qt::LeftButton, {}, w.edit->rect().center());
    QVERIFY(w.edit->hasFocus());
    QVERIFY(!atEnter.isEmpty());
    QVERIFY2(!atEnter.startsWith(QLatin1Char('[')), qPrintable(atEnter));
    QVERIFY(!w.edit->hasSelectedText());
}

void TestFnpNumericEdit::autoSelectOff()
{
    Window w;
    QVERIFY(w.activate());
    w.edit->setAutoSelect(false);
    w.edit->setValue(250.0);
    w.edit->setCursorPosition(1);
    QTest::keyClick(w.other, Qt::Key_Backtab, Qt::ShiftModifier);
    QVERIFY(w.edit->hasFocus());
    QCOMPARE(state(w.edit), u("2^50.00")); // neither this field nor the base edit selected
}

void TestFnpNumericEdit::windowDeactivationIsNoExit()
{
    Window w;
    QVERIFY(w.activate());
    w.focusEdit();
    int enters = 0, exits = 0;
    w.edit->OnEnter = [&](QObject *) { ++enters; };
    w.edit->OnExit = [&](QObject *) { ++exits; };
    QWidget second;
    second.show();
    second.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&second));
    QCOMPARE(exits, 0);
    w.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    QVERIFY(w.edit->hasFocus());
    QCOMPARE(enters, 0);
    w.other->setFocus(Qt::OtherFocusReason);
    QCOMPARE(exits, 1);

    // The main window's activation handler moves the focus with ActiveWindowFocusReason inside
    // the active window: that enters and leaves fields like any other focus change.
    w.edit->setCursorPosition(0);
    w.edit->setFocus(Qt::ActiveWindowFocusReason);
    QCOMPARE(enters, 1);
    QCOMPARE(state(w.edit), u("[0.00]"));
    w.other->setFocus(Qt::ActiveWindowFocusReason);
    QCOMPARE(exits, 2);

    // A popup takes the focus for a while: no exit, and no enter when it closes.
    w.focusEdit();
    QCOMPARE(enters, 2);
    QMenu popup;
    popup.addAction(u("item"));
    QTimer::singleShot(0, &popup, [&] { popup.close(); });
    popup.exec(w.edit->mapToGlobal(QPoint(0, 0)));
    if (!w.window.isActiveWindow()) {
        // The offscreen platform leaves the closed popup's window active; xcb reactivates ours.
        w.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
    }
    QTRY_VERIFY(w.edit->hasFocus());
    QCOMPARE(exits, 2);
    QCOMPARE(enters, 2);

    // After the focus was taken away from everything, coming back is a new enter.
    w.edit->clearFocus();
    w.focusEdit();
    QCOMPARE(enters, 3);
}

void TestFnpNumericEdit::rangeCheckOnExit()
{
    Window w;
    QVERIFY(w.activate());
    w.edit->setDecimals(0);
    QStringList log;
    w.edit->OnInvalidEntry = [&](QObject *sender) {
        QCOMPARE(sender, static_cast<QObject *>(w.edit));
        log << u("invalid");
    };
    w.edit->OnExit = [&](QObject *) { log << u("exit"); };
    auto leave = [&](double value) {
        log.clear();
        w.focusEdit();
        w.edit->setValue(value);
        w.other->setFocus(Qt::TabFocusReason);
        return log;
    };
    // Both bounds 0: never out of range.
    QCOMPARE(leave(-5), QStringList({u("exit")}));
    w.edit->setMinValue(1);
    w.edit->setMaxValue(999);
    QCOMPARE(leave(0), QStringList({u("invalid"), u("exit")}));
    QCOMPARE(leave(1), QStringList({u("exit")}));
    QCOMPARE(leave(999), QStringList({u("exit")}));
    QCOMPARE(leave(1000), QStringList({u("invalid"), u("exit")}));
    QCOMPARE(w.edit->text(), u("1000")); // no reformatting on exit
    w.edit->setMinValue(10);
    w.edit->setMaxValue(5);
    QCOMPARE(leave(7), QStringList({u("invalid"), u("exit")}));
    QCOMPARE(leave(10), QStringList({u("invalid"), u("exit")}));
}

void TestFnpNumericEdit::conversionErrorStopsBeforeOnExit()
{
    Window w;
    QVERIFY(w.activate());
    w.focusEdit();
    w.edit->setMinValue(1);
    w.edit->setMaxValue(999);
    int exits = 0, invalid = 0;
    w.edit->OnExit = [&](QObject *) { ++exits; };
    w.edit->OnInvalidEntry = [&](QObject *) { ++invalid; };
    w.edit->setText(u("12x"));
    QTest::keyClick(w.edit, Qt::Key_Tab); // real focus change through the application
    QVERIFY(w.other->hasFocus());
    QCOMPARE(reportedMessages(), QStringList({u("'12x' is not a valid floating point value")}));
    QCOMPARE(reported.value(0).sender, static_cast<QObject *>(w.edit));
    QCOMPARE(exits, 0);
    QCOMPARE(invalid, 0);
}

void TestFnpNumericEdit::handlerErrorsGoToTheApplication()
{
    Window w;
    QVERIFY(w.activate());
    w.focusEdit();
    load(w.edit, u("[0.00]"));
    int changes = 0;
    w.edit->OnChange = [&](QObject *) { ++changes; };
    w.edit->OnKeyPress = [&](QObject *, QChar &key) {
        if (key == QLatin1Char('3'))
            throw std::runtime_error("no threes");
    };
    QGuiApplication::clipboard()->setText(u("1234"));
    QTest::keyClick(w.edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(reportedMessages(), QStringList({u("no threes")}));
    QCOMPARE(reported.value(0).sender, static_cast<QObject *>(w.edit));
    // The paste stopped at the error; what it had done before stays, shown and announced.
    QCOMPARE(state(w.edit), u("12^.00"));
    QCOMPARE(changes, 1);
    QCOMPARE(w.edit->Value(), 12.0);

    reported.clear();
    w.edit->OnKeyPress = nullptr;
    w.edit->OnKeyDown = [&](QObject *, int &, Qt::KeyboardModifiers) {
        throw std::runtime_error("key down");
    };
    QTest::keyClick(w.edit, Qt::Key_Delete);
    QCOMPARE(reportedMessages(), QStringList({u("key down")}));
    QCOMPARE(state(w.edit), u("12.^00")); // Delete was handled before OnKeyDown
    w.edit->OnKeyDown = nullptr;

    // OnExit fails: reported, and the focus change goes ahead.
    reported.clear();
    w.edit->OnExit = [&](QObject *) { throw std::runtime_error("exit"); };
    w.other->setFocus(Qt::TabFocusReason);
    QVERIFY(w.other->hasFocus());
    QCOMPARE(reportedMessages(), QStringList({u("exit")}));

    // A direct write of the text raises OnChange from inside the base edit's setText.
    reported.clear();
    w.edit->OnChange = [&](QObject *) { throw std::runtime_error("change"); };
    w.edit->setText(u("5.00"));
    QCOMPARE(reportedMessages(), QStringList({u("change")}));
    QCOMPARE(w.edit->Value(), 5.0);
    // A call of the field's own method lets the error pass to its caller.
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, w.edit->setValue(6.0));
    QCOMPARE(w.edit->text(), u("6.00"));
}

// Sends `event` to the widget's event function itself and returns the message of what it threw.
static QString thrownBy(QWidget *widget, QEvent *event)
{
    try {
        static_cast<QObject *>(widget)->event(event);
    } catch (const std::exception &e) {
        return u(e.what());
    }
    return QString();
}

void TestFnpNumericEdit::withoutTApplicationErrorsLeaveTheEventFunction()
{
    Window w;
    QVERIFY(w.activate());
    w.focusEdit();
    WithoutApplication none;
    load(w.edit, u("[0.00]"));
    w.edit->OnKeyPress = [&](QObject *, QChar &key) {
        if (key == QLatin1Char('3'))
            throw std::runtime_error("no threes");
    };
    QGuiApplication::clipboard()->setText(u("1234"));
    QKeyEvent ctrlV(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(thrownBy(w.edit, &ctrlV), u("no threes"));
    QCOMPARE(state(w.edit), u("12^.00"));

    w.edit->OnKeyPress = nullptr;
    w.edit->OnEnter = [&](QObject *) { throw std::runtime_error("enter"); };
    w.edit->setCursorPosition(0);
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QVERIFY(thrownBy(w.edit, &out).isEmpty());
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QCOMPARE(thrownBy(w.edit, &in), u("enter"));
    QCOMPARE(state(w.edit), u("[12.00]")); // selected before OnEnter
    QVERIFY(reported.isEmpty());
}

void TestFnpNumericEdit::ctrlVShiftInsertAndCtrlX()
{
    Window w;
    QVERIFY(w.activate());
    w.focusEdit();
    QString pressed;
    w.edit->OnKeyPress = [&](QObject *, QChar &key) { pressed += key; };

    load(w.edit, u("[0.00]"));
    QGuiApplication::clipboard()->setText(u("12a3.4x5"));
    QTest::keyClick(w.edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(state(w.edit), u("123.45^"));
    QCOMPARE(pressed, QString(QChar(22)) + u("12a3.4x5")); // Ctrl+V, then each pasted character

    load(w.edit, u("1[23].45"));
    QGuiApplication::clipboard()->setText(u("9"));
    QTest::keyClick(w.edit, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(state(w.edit), u("19^.45"));

    pressed.clear();
    load(w.edit, u("1[23].45"));
    QTest::keyClick(w.edit, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), u("23"));
    QCOMPARE(state(w.edit), u("1^.45"));
    QCOMPARE(pressed, QString(QChar(24)));

    // A cut of the separator keeps it.
    load(w.edit, u("1[2.3]4"));
    QTest::keyClick(w.edit, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), u("2.3"));
    QCOMPARE(state(w.edit), u("1^.40"));
}

void TestFnpNumericEdit::ctrlVCharacterCanBeClearedByOnKeyPress()
{
    Window w;
    QVERIFY(w.activate());
    w.focusEdit();
    load(w.edit, u("[5.00]"));
    w.edit->OnKeyPress = [&](QObject *, QChar &key) {
        if (key == QChar(22))
            key = QChar();
    };
    QGuiApplication::clipboard()->setText(u("9"));
    QTest::keyClick(w.edit, Qt::Key_V, Qt::ControlModifier);
    // The cleared character is refused and removes the selection like any refused one.
    QCOMPARE(state(w.edit), u("0^.00"));
}

void TestFnpNumericEdit::ctrlCCopies()
{
    Window w;
    QVERIFY(w.activate());
    w.focusEdit();
    load(w.edit, u("1[23].45"));
    QTest::keyClick(w.edit, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), u("23"));
    QCOMPARE(state(w.edit), u("1[23].45"));
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(w.edit, Qt::Key_Insert, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), u("23"));
}

void TestFnpNumericEdit::contextMenuPasteCutDelete()
{
    Window w;
    QVERIFY(w.activate());
    w.focusEdit();

    // Chooses the item `name` of the context menu once it is open, and notes the enabled items.
    QStringList enabled;
    QTimer chooser; // destroyed with the test, so that no choice is left for a later one
    chooser.setSingleShot(true);
    auto choose = [&](const QString &name) {
        chooser.disconnect();
        chooser.callOnTimeout([&, name] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            QVERIFY(menu);
            enabled.clear();
            QAction *target = nullptr;
            for (QAction *a : menu->actions()) {
                if (!a->isSeparator() && a->isEnabled())
                    enabled << a->objectName();
                if (a->objectName() == name)
                    target = a;
            }
            QVERIFY(target);
            menu->setActiveAction(target);
            QTest::keyClick(menu, Qt::Key_Return);
        });
        chooser.start(0);
    };
    auto openMenu = [&] {
        QContextMenuEvent event(QContextMenuEvent::Mouse, w.edit->rect().center(),
                                w.edit->mapToGlobal(w.edit->rect().center()));
        QApplication::sendEvent(w.edit, &event);
    };

    load(w.edit, u("1[23].45"));
    QGuiApplication::clipboard()->setText(u("7a8"));
    choose(u("edit-paste"));
    openMenu();
    QCOMPARE(state(w.edit), u("178^.45"));
    QCOMPARE(enabled, QStringList({u("edit-cut"), u("edit-copy"), u("edit-paste"), u("edit-delete"),
                                   u("select-all")}));

    load(w.edit, u("1[78].45"));
    choose(u("edit-cut"));
    openMenu();
    QCOMPARE(state(w.edit), u("1^.45"));
    QCOMPARE(QGuiApplication::clipboard()->text(), u("78"));

    load(w.edit, u("[-25.00]"));
    QGuiApplication::clipboard()->setText(u("keep"));
    choose(u("edit-delete"));
    openMenu();
    QCOMPARE(state(w.edit), u("^0.00"));
    QCOMPARE(QGuiApplication::clipboard()->text(), u("keep"));

    // The right mouse button (through the window, which makes the context-menu event) opens
    // the same menu; undo and redo are never enabled.
    load(w.edit, u("12^.00"));
    QTest::keyClick(w.edit, '3');
    choose(u("select-all"));
    QTest::mouseClick(w.window.windowHandle(), Qt::RightButton, {},
                      w.edit->mapTo(&w.window, w.edit->rect().center()));
    QVERIFY(!chooser.isActive());
    QVERIFY(!enabled.contains(u("edit-undo")));
    QVERIFY(!enabled.contains(u("edit-redo")));
    QCOMPARE(state(w.edit), u("[123.00]"));
}

void TestFnpNumericEdit::dragAndDrop()
{
    Window w;
    QVERIFY(w.activate());
    w.focusEdit();
    load(w.edit, u("1^.00"));
    QString pressed;
    w.edit->OnKeyPress = [&](QObject *, QChar &key) { pressed += key; };
    w.edit->setCursorPosition(1);
    const QPoint at = w.edit->inputMethodQuery(Qt::ImCursorRectangle)
                          .toRect()
                          .center(); // right before the separator
    w.edit->setCursorPosition(0);

    QMimeData mime;
    mime.setText(u("2a3.45x9"));
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.edit, &enter);
    QVERIFY(enter.isAccepted());
    QDragMoveEvent move(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.edit, &move);
    QVERIFY(move.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.edit, &drop);
    QVERIFY(drop.isAccepted());
    QCOMPARE(pressed, u("2a3.45x9"));
    QCOMPARE(state(w.edit), u("123.45^")); // the 9 is refused after the last fraction digit

    // A read-only field takes no drop.
    w.edit->setReadOnly(true);
    QDropEvent refused(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.edit, &refused);
    QVERIFY(!refused.isAccepted());
    QCOMPARE(w.edit->text(), u("123.45"));
}

void TestFnpNumericEdit::inputMethodCommit()
{
    Window w;
    QVERIFY(w.activate());
    w.focusEdit();
    load(w.edit, u("[0.00]"));
    QInputMethodEvent commit(QString(), {});
    commit.setCommitString(u("4a2"));
    QApplication::sendEvent(w.edit, &commit);
    QCOMPARE(state(w.edit), u("42^.00"));

    // A composition that starts over a selection removes it through the rules.
    w.edit->selectAll();
    QInputMethodEvent preedit(u("7"), {});
    QApplication::sendEvent(w.edit, &preedit);
    QCOMPARE(state(w.edit), u("0^.00"));
    QInputMethodEvent done(QString(), {});
    done.setCommitString(u("7"));
    QApplication::sendEvent(w.edit, &done);
    QCOMPARE(state(w.edit), u("7^.00"));
}

void TestFnpNumericEdit::maxLength16()
{
    Window w;
    QVERIFY(w.activate());
    w.focusEdit();
    w.edit->setMaxLength(16);
    QCOMPARE(w.edit->MaxLength(), 16);
    load(w.edit, u("[0.00]"));
    QTest::keyClicks(w.edit, u("123456789012345678"));
    QCOMPARE(state(w.edit), u("1234567890123^.00"));
    QTest::keyClick(w.edit, '-');
    QCOMPARE(w.edit->text(), u("-1234567890123.00")); // 17 characters
    QTest::keyClick(w.edit, '4');
    QCOMPARE(w.edit->text(), u("-1234567890123.00"));

    w.edit->selectAll();
    QGuiApplication::clipboard()->setText(u("98765432109876543210.55"));
    QTest::keyClick(w.edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(state(w.edit), u("9876543210987.55^"));

    // A write of Value is not limited.
    w.edit->setValue(123456789012345.0);
    QCOMPARE(w.edit->text(), u("123456789012345.00"));
}

void TestFnpNumericEdit::undoRedoDisabled()
{
    Window w;
    QVERIFY(w.activate());
    w.focusEdit();
    load(w.edit, u("[0.00]"));
    QTest::keyClicks(w.edit, u("12"));
    QTest::keyClick(w.edit, Qt::Key_Backspace);
    QCOMPARE(w.edit->text(), u("1.00"));
    QVERIFY(!w.edit->isUndoAvailable());
    QTest::keyClick(w.edit, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(w.edit, Qt::Key_Y, Qt::ControlModifier);
    QTest::keyClick(w.edit, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(w.edit, Qt::Key_Backspace, Qt::AltModifier);
    QCOMPARE(w.edit->text(), u("1.00"));
    QVERIFY(!w.edit->isUndoAvailable());
    QVERIFY(!w.edit->isRedoAvailable());
}

void TestFnpNumericEdit::nativeEditsAreUndone()
{
    Window w;
    QVERIFY(w.activate());
    w.focusEdit();
    load(w.edit, u("12^.00"));
    int changes = 0;
    w.edit->OnChange = [&](QObject *) { ++changes; };
    // The base class's own editing, reached through a QLineEdit pointer, bypasses the field's
    // slots; its change is undone at once.
    QLineEdit *base = w.edit;
    base->QLineEdit::insert(u("x"));
    QCOMPARE(w.edit->text(), u("12.00"));
    base->QLineEdit::backspace();
    base->QLineEdit::del();
    QCOMPARE(w.edit->text(), u("12.00"));
    QCOMPARE(changes, 0);
    QVERIFY(!w.edit->isUndoAvailable());
    // Ctrl+Backspace (delete the word before) and Ctrl+K (delete to the end) do not reach the
    // base edit.
    load(w.edit, u("12^.00"));
    QTest::keyClick(w.edit, Qt::Key_Backspace, Qt::ControlModifier);
    QTest::keyClick(w.edit, Qt::Key_K, Qt::ControlModifier);
    QCOMPARE(w.edit->text(), u("12.00"));
    QTest::keyClick(w.edit, Qt::Key_Return);
    QCOMPARE(w.edit->text(), u("12.00"));
}

void TestFnpNumericEdit::slotsGoThroughTheRules()
{
    Window w;
    QVERIFY(w.activate());
    w.focusEdit();
    load(w.edit, u("[0.00]"));
    QGuiApplication::clipboard()->setText(u("3x1"));
    w.edit->paste();
    QCOMPARE(state(w.edit), u("31^.00"));
    w.edit->insert(u("5.7"));
    QCOMPARE(state(w.edit), u("315.7^0"));
    w.edit->backspace();
    QCOMPARE(state(w.edit), u("315.^00"));
    w.edit->setSelection(1, 2);
    w.edit->cut();
    QCOMPARE(QGuiApplication::clipboard()->text(), u("15"));
    QCOMPARE(state(w.edit), u("3^.00"));
    w.edit->setCursorPosition(0);
    w.edit->del();
    QCOMPARE(state(w.edit), u("0^.00"));
    QVERIFY(QMetaObject::invokeMethod(w.edit, "paste")); // a string-based call finds ours
    QCOMPARE(state(w.edit), u("15^.00"));
    w.edit->undo();
    QCOMPARE(w.edit->text(), u("15.00"));

    // The public standard menu's actions are connected to the field's own requests.
    std::unique_ptr<QMenu> menu(w.edit->createStandardContextMenu());
    QAction *paste = menu->findChild<QAction *>(u("edit-paste"));
    QVERIFY(paste);
    w.edit->selectAll();
    QGuiApplication::clipboard()->setText(u("-4x"));
    paste->trigger();
    QCOMPARE(state(w.edit), u("-4^.00"));
    QAction *undoAction = menu->findChild<QAction *>(u("edit-undo"));
    QVERIFY(undoAction);
    QVERIFY(!undoAction->isEnabled());

    // An error in a slot run by a signal goes to the application's reporting.
    w.edit->OnChange = [](QObject *) { throw std::runtime_error("slot"); };
    paste->trigger();
    QCOMPARE(reportedMessages(), QStringList({u("slot")}));
}

void TestFnpNumericEdit::readOnlyRefusesEdits()
{
    Window w;
    QVERIFY(w.activate());
    w.focusEdit();
    load(w.edit, u("1[23].45"));
    w.edit->setReadOnly(true);
    QVERIFY(w.edit->ReadOnly());
    QVERIFY(w.edit->isReadOnly());
    int presses = 0;
    w.edit->OnKeyPress = [&](QObject *, QChar &) { ++presses; };
    QGuiApplication::clipboard()->setText(u("9"));
    QTest::keyClick(w.edit, '7');
    QTest::keyClick(w.edit, Qt::Key_Backspace);
    QTest::keyClick(w.edit, Qt::Key_Delete);
    QTest::keyClick(w.edit, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(w.edit, Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(w.edit, Qt::Key_Delete, Qt::ShiftModifier);
    QCOMPARE(w.edit->text(), u("123.45"));
    QCOMPARE(presses, 4); // 7, Backspace, Ctrl+V and Ctrl+X still reach OnKeyPress
    QTest::keyClick(w.edit, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), u("23"));
}

void TestFnpNumericEdit::directWriteMayLeaveANonNumber()
{
    TFnpNumericEdit edit;
    int changes = 0;
    edit.OnChange = [&](QObject *) { ++changes; };
    edit.setText(u("abc"));
    QCOMPARE(changes, 1);
    try {
        edit.Value();
        QFAIL("no error");
    } catch (const EConvertError &e) {
        QCOMPARE(u(e.what()), u("'abc' is not a valid floating point value"));
    }
    edit.setText(QString());
    try {
        edit.Value();
        QFAIL("no error");
    } catch (const EConvertError &e) {
        QCOMPARE(u(e.what()), u("'' is not a valid floating point value"));
    }
    QVERIFY_THROWS_EXCEPTION(EConvertError, edit.setDecimals(3));
    QCOMPARE(edit.Decimals(), 3);
    edit.setValue(2.5);
    QCOMPARE(edit.text(), u("2.500"));
    // A direct write is not limited by MaxLength.
    edit.setMaxLength(3);
    edit.setText(u("12345.000"));
    QCOMPARE(edit.text(), u("12345.000"));
    QCOMPARE(edit.Value(), 12345.0);
}

void TestFnpNumericEdit::propertiesGoThroughTheField()
{
    TFnpNumericEdit edit;
    QVERIFY(edit.setProperty("maxLength", 16));
    QCOMPARE(edit.MaxLength(), 16);
    QVERIFY(edit.QLineEdit::maxLength() > 1000000); // the base edit's limit stays out of the way
    QVERIFY(edit.setProperty("readOnly", true));
    QVERIFY(edit.ReadOnly());
    QVERIFY(edit.setProperty("alignment", QVariant::fromValue(Qt::Alignment(Qt::AlignLeft))));
    QCOMPARE(edit.Alignment(), Qt::Alignment(Qt::AlignLeft));
    edit.setMaxLength(0);
    QCOMPARE(edit.MaxLength(), 0);
    edit.setMaxLength(-4);
    QCOMPARE(edit.MaxLength(), 0);
}

void TestFnpNumericEdit::middleClickPastesTheSelection()
{
    if (!QGuiApplication::clipboard()->supportsSelection())
        QSKIP("this platform has no X11 selection (the test runs under Xvfb as well)");
    Window w;
    QVERIFY(w.activate());
    w.focusEdit();
    load(w.edit, u("1^.00"));
    w.edit->setCursorPosition(1);
    const QPoint at = w.edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
    w.edit->setCursorPosition(0);
    QString pressed;
    w.edit->OnKeyPress = [&](QObject *, QChar &key) { pressed += key; };
    QGuiApplication::clipboard()->setText(u("2b3"), QClipboard::Selection);
    QTRY_COMPARE(QGuiApplication::clipboard()->text(QClipboard::Selection), u("2b3"));
    QTest::mouseClick(w.edit, Qt::MiddleButton, {}, at);
    QCOMPARE(pressed, u("2b3"));
    QCOMPARE(state(w.edit), u("123^.00"));
}

int main(int argc, char **argv)
{
    TApplication app(argc, argv);
    app.OnException = [](QObject *sender, std::exception_ptr error) {
        QString message;
        try {
            std::rethrow_exception(error);
        } catch (const std::exception &e) {
            message = u(e.what());
        }
        reported.append({sender, message});
    };
    TestFnpNumericEdit test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_fnpnumericedit.moc"
