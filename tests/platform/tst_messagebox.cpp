#include "messagebox.h"
#include "watchdog.h"

#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <memory>

class TestMessageBox : public QObject
{
    Q_OBJECT

    Watchdog m_watchdog;
    std::unique_ptr<QWidget> m_window;

private slots:
    void init()
    {
        m_watchdog.start();
        // The box appears over the program's window, as it does in the program.
        m_window = std::make_unique<QWidget>();
        m_window->setGeometry(0, 0, 300, 200);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    void cleanup()
    {
        m_window.reset();
        m_watchdog.stop();
        QVERIFY(!m_watchdog.fired());
    }

    void lineBreakPairsBecomeOneBreak_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("no breaks")
            << QStringLiteral("Please try again.") << QStringLiteral("Please try again.");
        QTest::newRow("LF CR") << QStringLiteral("cannot\n\rbe determined")
                               << QStringLiteral("cannot\nbe determined");
        QTest::newRow("empty line between")
            << QStringLiteral("An unidentified error has occurred.\n\r\n\rPlease contact us.")
            << QStringLiteral("An unidentified error has occurred.\n\nPlease contact us.");
        QTest::newRow("CR LF") << QStringLiteral("one\r\ntwo") << QStringLiteral("one\ntwo");
        QTest::newRow("lone CR") << QStringLiteral("one\rtwo") << QStringLiteral("onetwo");
        QTest::newRow("lone LF") << QStringLiteral("one\ntwo") << QStringLiteral("one\ntwo");
        QTest::newRow("leading blanks kept")
            << QStringLiteral("  I Agree\n\r") << QStringLiteral("  I Agree\n");
    }

    void lineBreakPairsBecomeOneBreak()
    {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        QCOMPARE(NormalizeLineBreaks(stored), shown);
    }

    // Both Enter keys and Esc close the box through its one button.
    void informationBoxHasOneOkButton_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Enter") << int(Qt::Key_Enter);
        QTest::newRow("Esc") << int(Qt::Key_Escape);
    }

    void informationBoxHasOneOkButton()
    {
        QFETCH(int, key);
        QString title, text, buttonText;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        int buttons = 0;
        bool defaultIsEscape = false;
        QPoint centre, screenCentre;
        QPointer<QMessageBox> shown;
        whenModalShows([&](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            QVERIFY(box);
            shown = box;
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = int(box->buttons().size());
            buttonText = box->buttons().value(0) ? box->buttons().value(0)->text() : QString();
            defaultIsEscape =
                box->defaultButton() &&
                static_cast<QAbstractButton *>(box->defaultButton()) == box->escapeButton();
            centre = box->frameGeometry().center();
            screenCentre = box->screen()->geometry().center();
            QTest::keyClick(box, Qt::Key(key));
        });
        ShowInformation(QStringLiteral("The results cannot\n\rbe determined."));
        QVERIFY(!shown || !shown->isVisible());
        QCOMPARE(title, QStringLiteral("Information"));
        QCOMPARE(text, QStringLiteral("The results cannot\nbe determined."));
        QCOMPARE(icon, QMessageBox::Information);
        QCOMPARE(buttons, 1);
        QCOMPARE(buttonText.remove(QLatin1Char('&')), QStringLiteral("OK"));
        QVERIFY(defaultIsEscape);
        QVERIFY((centre - screenCentre).manhattanLength() <= 2);
    }

    void titleCanBeGiven()
    {
        QString title;
        whenModalShows([&](QWidget *modal) {
            title = modal->windowTitle();
            modal->close();
        });
        ShowInformation(QStringLiteral("text"), QStringLiteral("Ratewright"));
        QCOMPARE(title, QStringLiteral("Ratewright"));
    }
};

QTEST_MAIN(TestMessageBox)
#include "tst_messagebox.moc"
