#include "explorerbutton.h"
#include "watchdog.h"

#include <QHelpEvent>
#include <QPainter>
#include <QTest>
#include <QToolTip>

#include <memory>

namespace {

// A plain red square, so that the greyed form is easy to tell from the normal one.
QIcon redPicture()
{
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::red);
    return QIcon(pixmap);
}

bool isGrey(QColor c)
{
    return qAbs(c.red() - c.green()) < 16 && qAbs(c.green() - c.blue()) < 16;
}

} // namespace

class TestExplorerButton : public QObject
{
    Q_OBJECT

    Watchdog m_watchdog;
    std::unique_ptr<QWidget> m_window;
    TExplorerButton *m_button = nullptr;
    int m_clicks = 0;

    TExplorerButton *addButton()
    {
        auto *b = new TExplorerButton(m_window.get());
        b->setPicture(redPicture());
        b->resize(25, 24);
        b->show();
        return b;
    }

    // Real pointer moves through the window (the widget overload only sets the cursor position).
    void movePointer(QPoint windowPos) { QTest::mouseMove(m_window->windowHandle(), windowPos); }
    // A flat button shows its bevel under the pointer: pass over the button and leave it.
    void movePointerAway(QWidget *from)
    {
        movePointer(from->geometry().center());
        movePointer(QPoint(290, 90));
        QVERIFY(!from->underMouse());
    }

private slots:
    void init()
    {
        m_watchdog.start();
        m_window = std::make_unique<QWidget>();
        m_window->resize(300, 100);
        m_button = addButton();
        m_button->setCaption(QStringLiteral("&Go"));
        m_button->resize(80, 24);
        m_clicks = 0;
        m_button->OnClick = [this](QObject *sender) {
            QCOMPARE(sender, m_button);
            ++m_clicks;
        };
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    void cleanup()
    {
        QToolTip::hideText();
        m_window.reset();
        m_watchdog.stop();
        QVERIFY(!m_watchdog.fired());
    }

    void clickAndAcceleratorRaiseOnClick()
    {
        QTest::mouseClick(m_button, Qt::LeftButton);
        QCOMPARE(m_clicks, 1);
        QTest::keyClick(m_window.get(), Qt::Key_G, Qt::AltModifier);
        QTRY_COMPARE(m_clicks, 2);
    }

    void disabledIgnoresClickAndAccelerator()
    {
        m_button->setEnabled(false);
        QTest::mouseClick(m_button, Qt::LeftButton);
        QTest::keyClick(m_window.get(), Qt::Key_G, Qt::AltModifier);
        QTest::qWait(300); // an accelerator click is animated: give it time to show up
        QCOMPARE(m_clicks, 0);
    }

    void takesNoKeyboardFocus() { QCOMPARE(m_button->focusPolicy(), Qt::NoFocus); }

    void hintReachesDisabledButton()
    {
        m_button->setHint(QStringLiteral("Print Preview"));
        m_button->setEnabled(false);
        QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), m_button->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(m_button, &help);
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("Print Preview"));
    }

    // The real road: the pointer rests on the disabled button until the hint shows.
    void hintShowsWhenPointerRestsOnDisabledButton()
    {
        m_button->setHint(QStringLiteral("Print Preview"));
        m_button->setEnabled(false);
        movePointerAway(m_button);
        movePointer(m_button->geometry().center());
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("Print Preview"));
    }

    void iconOnlyHidesTheCaption()
    {
        TExplorerButton *bare = addButton();
        TExplorerButton *iconOnly = addButton();
        iconOnly->setCaption(QStringLiteral("Exit"));
        iconOnly->setIconOnly(true);
        QVERIFY(iconOnly->IconOnly());
        movePointerAway(iconOnly);
        QCOMPARE(iconOnly->grab().toImage(), bare->grab().toImage());
        QCOMPARE(iconOnly->sizeHint(), bare->sizeHint());

        iconOnly->setIconOnly(false);
        QVERIFY(iconOnly->grab().toImage() != bare->grab().toImage());
        QVERIFY(iconOnly->sizeHint().width() > bare->sizeHint().width());
    }

    void disabledPictureIsGreyed()
    {
        TExplorerButton *b = addButton();
        const QPoint centre(12, 12);
        QCOMPARE(QColor(b->grab().toImage().pixel(centre)), QColor(Qt::red));
        b->setEnabled(false);
        QVERIFY(isGrey(b->grab().toImage().pixel(centre)));
    }

    void bevel_data()
    {
        QTest::addColumn<bool>("showBevel");
        QTest::addColumn<bool>("down");
        QTest::addColumn<QPalette::ColorRole>("topLeft");
        QTest::addColumn<QPalette::ColorRole>("bottomRight");
        QTest::newRow("flat") << false << false << QPalette::Window << QPalette::Window;
        QTest::newRow("bevel") << true << false << QPalette::Light << QPalette::Dark;
        QTest::newRow("flat, pressed") << false << true << QPalette::Dark << QPalette::Light;
        QTest::newRow("bevel, pressed") << true << true << QPalette::Dark << QPalette::Light;
    }

    void bevel()
    {
        QFETCH(bool, showBevel);
        QFETCH(bool, down);
        QFETCH(QPalette::ColorRole, topLeft);
        QFETCH(QPalette::ColorRole, bottomRight);
        TExplorerButton *b = addButton();
        b->move(100, 50);
        b->setShowBevel(showBevel);
        b->setDown(down);
        movePointerAway(b);
        const QImage shot = m_window->grab(b->geometry()).toImage();
        QCOMPARE(shot.pixel(0, 0), b->palette().color(topLeft).rgb());
        QCOMPARE(shot.pixel(shot.width() - 1, shot.height() - 1),
                 b->palette().color(bottomRight).rgb());
    }
};

QTEST_MAIN(TestExplorerButton)
#include "tst_explorerbutton.moc"
