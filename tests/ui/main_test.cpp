// The main window in-process: start-up state, recalculation from each of its events, the term
// fallback, error reporting and the disclaimer panel.

#include "FnpNumericEdit.h"
#include "Main.h"
#include "application.h"
#include "explorerbutton.h"
#include "label.h"
#include "matherrors.h"
#include "panel.h"
#include "radiogroup.h"
#include "stringaligngrid.h"
#include "urllabel.h"
#include "watchdog.h"

#include <QAction>
#include <QMenu>
#include <QMessageBox>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

const QColor kYellow(255, 255, 0);

// The default chart (loan 100000, 25 years, rate 8.75, steps 1000 and .25), without the
// leading blanks.
const char *const kDefaultChart[12][8] = {
    {"Amount/Rate", "8%", "8.25%", "8.5%", "8.75%", "9%", "9.25%", "9.5%"},
    {"$95,000.00", "$725.05", "$740.27", "$755.60", "$771.03", "$786.58", "$802.23", "$817.98"},
    {"$96,000.00", "$732.68", "$748.06", "$763.55", "$779.15", "$794.86", "$810.67", "$826.59"},
    {"$97,000.00", "$740.32", "$755.85", "$771.50", "$787.27", "$803.14", "$819.12", "$835.20"},
    {"$98,000.00", "$747.95", "$763.64", "$779.46", "$795.38", "$811.42", "$827.56", "$843.81"},
    {"$99,000.00", "$755.58", "$771.44", "$787.41", "$803.50", "$819.70", "$836.01", "$852.42"},
    {"$100,000.00", "$763.21", "$779.23", "$795.36", "$811.61", "$827.98", "$844.45", "$861.03"},
    {"$101,000.00", "$770.85", "$787.02", "$803.32", "$819.73", "$836.26", "$852.89", "$869.64"},
    {"$102,000.00", "$778.48", "$794.81", "$811.27", "$827.85", "$844.54", "$861.34", "$878.25"},
    {"$103,000.00", "$786.11", "$802.61", "$819.22", "$835.96", "$852.82", "$869.78", "$886.86"},
    {"$104,000.00", "$793.74", "$810.40", "$827.18", "$844.08", "$861.10", "$878.23", "$895.47"},
    {"$105,000.00", "$801.37", "$818.19", "$835.13", "$852.19", "$869.38", "$886.67", "$904.08"},
};

const QString kMathMessage = QStringLiteral(
    "The results of this calculation cannot\nbe determined using the values you have "
    "entered.\n\nPlease try again with smaller numbers.");
const QString kOtherMessage =
    QStringLiteral("An unidentified error has occurred.\n\nPlease contact Quindle Software.");

// Every message box that opens is read and closed with its OK button.
class MessageBoxCatcher : public QObject
{
public:
    MessageBoxCatcher()
    {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            texts << box->text();
            titles << box->windowTitle();
            icons << box->icon();
            box->button(QMessageBox::Ok)->click();
        });
        m_timer.start();
    }
    QStringList texts;
    QStringList titles;
    QList<QMessageBox::Icon> icons;

private:
    QTimer m_timer;
};

QStringList gridRows(const TStringAlignGrid *grid)
{
    QStringList rows;
    for (int row = 0; row < 12; ++row) {
        QStringList cells;
        for (int col = 0; col < 8; ++col)
            cells << grid->Cells(col, row);
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

QStringList defaultChartRows()
{
    QStringList rows;
    for (int row = 0; row < 12; ++row) {
        QStringList cells;
        for (int col = 0; col < 8; ++col) {
            const QString blanks = row == 0 ? QStringLiteral("  ") : QStringLiteral(" ");
            cells << blanks + QString::fromUtf8(kDefaultChart[row][col]);
        }
        rows << cells.join(QLatin1Char('|'));
    }
    rows[0].replace(QStringLiteral("  Amount/Rate"), QStringLiteral(" Amount/Rate"));
    return rows;
}

TFnpNumericEdit *fieldNamed(const TfrmMain &w, const QString &name)
{
    if (name == QLatin1String("edtLoan"))
        return w.edtLoan;
    return name == QLatin1String("edtTerm") ? w.edtTerm : w.edtInterest;
}

void clickCell(TStringAlignGrid *grid, int col, int row)
{
    const QRect cell = grid->visualRect(grid->model()->index(row, col));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
}

void clickRadio(TRadioGroup *group, int index)
{
    QRadioButton *button = group->button(index);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TfrmMain> m_window;
    Watchdog m_watchdog{20000};

    void showWindow()
    {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    void recalculate() { m_window->CalculatePaymentTable(m_window.get()); }

    // As an event of the window would run it: an exception goes to the application's handler.
    void recalculateFromTheEventLoop()
    {
        TfrmMain *w = m_window.get();
        QTimer::singleShot(0, w, [w] { w->CalculatePaymentTable(w); });
    }

private slots:
    void init()
    {
        m_watchdog.start(); // a modal box nobody closes fails the test instead of hanging it
        m_window = std::make_unique<TfrmMain>();
    }

    void cleanup()
    {
        m_window.reset();
        m_watchdog.stop();
        QVERIFY(!m_watchdog.fired());
    }

    void startupState()
    {
        showWindow();
        TfrmMain &w = *m_window;
        QCOMPARE(w.windowTitle(), QStringLiteral("Ratewright Calculator 32, 2.2"));
        QCOMPARE(w.edtLoan->text(), QStringLiteral("100000.00"));
        QCOMPARE(w.edtTerm->text(), QStringLiteral("25"));
        QCOMPARE(w.edtInterest->text(), QStringLiteral("8.750"));
        QCOMPARE(w.rgLoan->ItemIndex(), 3);
        QCOMPARE(w.rgInterest->ItemIndex(), 3);

        QCOMPARE(w.grdPayment->Cells(0, 0), QStringLiteral(" Amount/Rate"));
        QCOMPARE(w.grdPayment->Cells(0, 1), QStringLiteral(" $95,000.00"));
        QCOMPARE(w.grdPayment->Cells(0, 11), QStringLiteral(" $105,000.00"));
        QCOMPARE(w.grdPayment->Cells(1, 0), QStringLiteral("8.00%"));
        QCOMPARE(w.grdPayment->Cells(7, 0), QStringLiteral("9.50%"));
        for (int col = 1; col < 8; ++col)
            for (int row = 1; row < 12; ++row)
                QVERIFY(w.grdPayment->Cells(col, row).isEmpty());

        QCOMPARE(w.grdPayment->Col(), 4);
        QCOMPARE(w.grdPayment->Row(), 6);
        QCOMPARE(w.grdPayment->CellBackground(4, 1), kYellow);
        QCOMPARE(w.grdPayment->CellBackground(1, 6), kYellow);
        QCOMPARE(w.grdPayment->CellBackground(1, 1), QColor(Qt::white));

        QVERIFY(!w.btnPrint->isEnabled());
        QVERIFY(!w.mnuPopPrint->isEnabled());
        QCOMPARE(PaymentTableCalculated, 0);
        QVERIFY(w.pnlDisclaim->isHidden());
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.edtLoan));

        QCOMPARE(w.mnuPop->actions().size(), 6);
        QCOMPARE(w.mnuPop->actions()[0]->text(), QStringLiteral("&Print Preview"));
        QVERIFY(w.mnuPop->actions()[1]->isSeparator());
        QCOMPARE(w.mnuPop->actions()[2]->text(), QStringLiteral("Disclaimer..."));
        QCOMPARE(w.mnuPop->actions()[3]->text(), QStringLiteral("&About..."));
        QVERIFY(w.mnuPop->actions()[4]->isSeparator());
        QCOMPARE(w.mnuPop->actions()[5]->text(), QStringLiteral("E&xit"));
    }

    void recalculatesOnEachEvent_data()
    {
        QTest::addColumn<QString>("event");
        QTest::newRow("leaving edtLoan") << QStringLiteral("edtLoan");
        QTest::newRow("leaving edtTerm") << QStringLiteral("edtTerm");
        QTest::newRow("leaving edtInterest") << QStringLiteral("edtInterest");
        QTest::newRow("clicking rgLoan") << QStringLiteral("rgLoan");
        QTest::newRow("clicking rgInterest") << QStringLiteral("rgInterest");
        QTest::newRow("clicking the grid") << QStringLiteral("grid");
    }

    void recalculatesOnEachEvent()
    {
        QFETCH(QString, event);
        showWindow();
        TfrmMain &w = *m_window;
        if (event.startsWith(QLatin1String("edt"))) {
            TFnpNumericEdit *field = fieldNamed(w, event);
            field->setFocus();
            QTRY_VERIFY(field->hasFocus());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        } else if (event == QLatin1String("rgLoan")) {
            clickRadio(w.rgLoan, 3);
        } else if (event == QLatin1String("rgInterest")) {
            clickRadio(w.rgInterest, 3);
        } else {
            clickCell(w.grdPayment, 2, 2);
        }
        QTRY_COMPARE(PaymentTableCalculated, 1);
        QCOMPARE(gridRows(w.grdPayment), defaultChartRows());
        QCOMPARE(w.grdPayment->Col(), 4);
        QCOMPARE(w.grdPayment->Row(), 6);
        QCOMPARE(w.grdPayment->CellBackground(4, 2), kYellow);
        QCOMPARE(w.grdPayment->CellBackground(2, 6), kYellow);
        QVERIFY(w.btnPrint->isEnabled());
        QVERIFY(w.mnuPopPrint->isEnabled());
    }

    void newInputsGiveANewChart()
    {
        showWindow();
        TfrmMain &w = *m_window;
        w.edtLoan->setFocus();
        QTRY_VERIFY(w.edtLoan->hasFocus());
        QTest::keyClicks(w.edtLoan, QStringLiteral("1000")); // the select-all is replaced
        QCOMPARE(w.edtLoan->text(), QStringLiteral("1000.00"));
        QTest::keyClick(w.edtLoan, Qt::Key_Tab);
        QTRY_COMPARE(PaymentTableCalculated, 1);
        QCOMPARE(w.grdPayment->Cells(0, 1), QStringLiteral(" ($4,000.00)"));
        QCOMPARE(w.grdPayment->Cells(4, 1), QStringLiteral(" ($32.46)"));
        QCOMPARE(w.grdPayment->Cells(3, 5), QStringLiteral(" $0.00"));
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.edtTerm));
    }

    void termFallback_data()
    {
        QTest::addColumn<double>("term");
        QTest::newRow("zero") << 0.0;
        QTest::newRow("negative") << -5.0;
    }

    void termFallback()
    {
        QFETCH(double, term);
        showWindow();
        TfrmMain &w = *m_window;
        w.edtTerm->setValue(term);
        MessageBoxCatcher boxes;
        recalculate();
        QCOMPARE(boxes.texts,
                 QStringList{QStringLiteral("The number of years must be greater than 0.")});
        QCOMPARE(boxes.titles, QStringList{QStringLiteral("Information")});
        QCOMPARE(boxes.icons.value(0), QMessageBox::Information);
        QCOMPARE(w.edtTerm->text(), QStringLiteral("25"));
        QCOMPARE(gridRows(w.grdPayment), defaultChartRows());
        QCOMPARE(PaymentTableCalculated, 1);
    }

    void focusReturnsToTheLoanAfterAMessage()
    {
        // State: the term field holds 0 and has the focus.
        showWindow();
        TfrmMain &w = *m_window;
        w.edtTerm->setFocus();
        QTRY_VERIFY(w.edtTerm->hasFocus());
        QTest::keyClicks(w.edtTerm, QStringLiteral("0"));
        QCOMPARE(w.edtTerm->text(), QStringLiteral("0"));
        // Action: Tab leaves the field, whose recalculation shows the term message.
        MessageBoxCatcher boxes;
        QTest::keyClick(w.edtTerm, Qt::Key_Tab);
        QTRY_COMPARE(boxes.texts.size(), 1);
        // Expected: once the box is closed the window has the focus back, in the loan field.
        // (The offscreen platform does not hand activation back by itself; a window manager does.)
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.edtLoan));
        QCOMPARE(w.edtTerm->text(), QStringLiteral("25"));
        QCOMPARE(boxes.texts.size(), 1);
    }

    void errorsKeepTheLastCompleteChart_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("rateStep");
        QTest::addColumn<QString>("message");
        QTest::newRow("loan is no number") << "edtLoan"
                                           << "12a" << 3 << kOtherMessage;
        QTest::newRow("rate is empty") << "edtInterest"
                                       << "" << 3 << kOtherMessage;
        QTest::newRow("term with a fraction") << "edtTerm"
                                              << "2.5" << 3 << kOtherMessage;
        QTest::newRow("term beyond 32 bits") << "edtTerm"
                                             << "3000000000" << 3 << kOtherMessage;
        QTest::newRow("term count beyond 32 bits") << "edtTerm"
                                                   << "178956971" << 3 << kOtherMessage;
        QTest::newRow("rate below -200") << "edtInterest"
                                         << "-199.000" << 8 << kMathMessage;
        QTest::newRow("loan overflows") << "edtLoan"
                                        << "1e39" << 3 << kMathMessage;
    }

    void errorsKeepTheLastCompleteChart()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(int, rateStep);
        QFETCH(QString, message);
        showWindow();
        TfrmMain &w = *m_window;

        // First a failing run before any chart: nothing gets enabled.
        TFnpNumericEdit *edit = fieldNamed(w, field);
        const QString before = edit->text();
        edit->setText(text);
        w.rgInterest->setItemIndex(rateStep);
        {
            MessageBoxCatcher boxes;
            recalculateFromTheEventLoop();
            QTRY_COMPARE(boxes.texts, QStringList{message});
        }
        QCOMPARE(PaymentTableCalculated, 0);
        QVERIFY(!w.btnPrint->isEnabled());
        QVERIFY(!w.mnuPopPrint->isEnabled());
        QVERIFY(w.grdPayment->Cells(4, 6).isEmpty());

        // Then a good chart, and the same failure again: the grid keeps the good chart.
        edit->setText(before);
        w.rgInterest->setItemIndex(3);
        recalculate();
        QCOMPARE(gridRows(w.grdPayment), defaultChartRows());
        edit->setText(text);
        w.rgInterest->setItemIndex(rateStep);
        MessageBoxCatcher boxes;
        recalculateFromTheEventLoop();
        QTRY_COMPARE(boxes.texts, QStringList{message});
        QCOMPARE(gridRows(w.grdPayment), defaultChartRows());
        QCOMPARE(PaymentTableCalculated, 1);
        QVERIFY(w.btnPrint->isEnabled());
        QVERIFY(w.mnuPopPrint->isEnabled());

        // The program goes on: the next good run completes.
        edit->setText(before);
        w.rgInterest->setItemIndex(3);
        recalculate();
        QCOMPARE(gridRows(w.grdPayment), defaultChartRows());
    }

    void disclaimer_data()
    {
        QTest::addColumn<bool>("chartFirst");
        QTest::newRow("before any chart") << false;
        QTest::newRow("after a chart") << true;
    }

    void disclaimer()
    {
        QFETCH(bool, chartFirst);
        showWindow();
        TfrmMain &w = *m_window;
        if (chartFirst)
            recalculate();

        QTest::mouseClick(w.btnDisclaim, Qt::LeftButton);
        QVERIFY(w.pnlDisclaim->isVisible());
        QVERIFY(!w.grdPayment->isEnabled());
        for (TExplorerButton *b : {w.btnExit, w.btnHelp, w.btnPrint, w.btnDisclaim})
            QVERIFY(!b->isEnabled());
        QVERIFY(!w.lblTitle->isEnabled());
        QVERIFY(!w.UrlLabel1->isEnabled());
        QVERIFY(w.edtLoan->isEnabled());
        QVERIFY(w.rgLoan->isEnabled());
        QCOMPARE(w.mnuPopPrint->isEnabled(), chartFirst); // the menu is left alone
        QVERIFY(w.mnuPopExit->isEnabled());

        // Showing it again changes nothing.
        w.btnDisclaimClick(&w);
        QVERIFY(w.pnlDisclaim->isVisible());

        QTest::mouseClick(w.btnAgree, Qt::LeftButton);
        QVERIFY(w.pnlDisclaim->isHidden());
        QVERIFY(w.grdPayment->isEnabled());
        for (TExplorerButton *b : {w.btnExit, w.btnHelp, w.btnDisclaim})
            QVERIFY(b->isEnabled());
        QCOMPARE(w.btnPrint->isEnabled(), chartFirst);
        QCOMPARE(w.mnuPopPrint->isEnabled(), chartFirst);
        QVERIFY(w.lblTitle->isEnabled());
        QVERIFY(w.UrlLabel1->isEnabled());
    }

    void leavingAFieldUnderTheDisclaimerRecalculates()
    {
        showWindow();
        TfrmMain &w = *m_window;
        w.btnDisclaimClick(&w);
        w.edtLoan->setFocus();
        QTRY_VERIFY(w.edtLoan->hasFocus());
        QTest::keyClick(w.edtLoan, Qt::Key_Tab);
        QTRY_COMPARE(PaymentTableCalculated, 1);
        QVERIFY(w.mnuPopPrint->isEnabled());
        QVERIFY(w.btnPrint->isEnabled());
        QVERIFY(w.pnlDisclaim->isVisible());
    }

    void anExceptionFromAnyHandlerIsReported_data()
    {
        QTest::addColumn<bool>("math");
        QTest::newRow("math error") << true;
        QTest::newRow("other error") << false;
    }

    void anExceptionFromAnyHandlerIsReported()
    {
        QFETCH(bool, math);
        showWindow();
        TfrmMain &w = *m_window;
        MessageBoxCatcher boxes;
        // A handler of the window's own that fails: the click of the grid.
        w.grdPayment->OnClick = [math](QObject *) {
            if (math)
                throw EOverflow();
            throw std::runtime_error("anything");
        };
        clickCell(w.grdPayment, 3, 3);
        QTRY_COMPARE(boxes.texts, QStringList{math ? kMathMessage : kOtherMessage});
        QCOMPARE(boxes.titles, QStringList{QStringLiteral("Information")});
        // And the program goes on with the next event.
        QTest::mouseClick(w.btnDisclaim, Qt::LeftButton);
        QVERIFY(w.pnlDisclaim->isVisible());
    }

    void exitClosesTheWindow()
    {
        showWindow();
        m_window->mnuPopExit->trigger();
        QVERIFY(!m_window->isVisible());
    }
};

int main(int argc, char **argv)
{
    TApplication app(argc, argv);
    MainWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "main_test.moc"
