#include "image.h"
#include "panel.h"
#include "radiogroup.h"
#include "watchdog.h"

#include <QLineEdit>
#include <QPixmap>
#include <QRadioButton>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

// Panels, radio groups, labels and pictures on one shown window.
class TestControls : public QObject
{
    Q_OBJECT

    Watchdog m_watchdog;
    std::unique_ptr<QWidget> m_window;

    void showWindow()
    {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    TRadioGroup *addLoanSteps()
    {
        auto *group = new TRadioGroup(m_window.get());
        group->setItems({QStringLiteral(" 100"), QStringLiteral(" 250"), QStringLiteral(" 500"),
                         QStringLiteral(" 1000"), QStringLiteral(" 2000"), QStringLiteral(" 2500"),
                         QStringLiteral(" 3000"), QStringLiteral(" 4000"),
                         QStringLiteral(" 5000")});
        group->setColumns(3);
        group->setGeometry(10, 10, 159, 66);
        return group;
    }

private slots:
    void init()
    {
        m_watchdog.start();
        m_window = std::make_unique<QWidget>();
        m_window->resize(400, 300);
    }

    void cleanup()
    {
        m_window.reset();
        m_watchdog.stop();
        QVERIFY(!m_watchdog.fired());
    }

    void panelBevels_data()
    {
        QTest::addColumn<TBevelCut>("outer");
        QTest::addColumn<TBevelCut>("inner");
        QTest::addColumn<QPalette::ColorRole>("outerTopLeft");
        QTest::addColumn<QPalette::ColorRole>("innerTopLeft");
        QTest::addColumn<QPalette::ColorRole>("outerBottomRight");
        QTest::newRow("raised") << TBevelCut::Raised << TBevelCut::None << QPalette::Light
                                << QPalette::Window << QPalette::Dark;
        QTest::newRow("lowered") << TBevelCut::Lowered << TBevelCut::None << QPalette::Dark
                                 << QPalette::Window << QPalette::Light;
        QTest::newRow("none") << TBevelCut::None << TBevelCut::None << QPalette::Window
                              << QPalette::Window << QPalette::Window;
        QTest::newRow("lowered outer, raised inner")
            << TBevelCut::Lowered << TBevelCut::Raised << QPalette::Dark << QPalette::Light
            << QPalette::Light;
    }

    void panelBevels()
    {
        QFETCH(TBevelCut, outer);
        QFETCH(TBevelCut, inner);
        QFETCH(QPalette::ColorRole, outerTopLeft);
        QFETCH(QPalette::ColorRole, innerTopLeft);
        QFETCH(QPalette::ColorRole, outerBottomRight);
        TPanel panel;
        panel.resize(40, 30);
        panel.setColor(QColor(192, 192, 192));
        panel.setBevelOuter(outer);
        panel.setBevelInner(inner);
        const QImage shot = panel.grab().toImage();
        const QPalette &p = panel.palette();
        QCOMPARE(p.color(QPalette::Window), QColor(192, 192, 192));
        QCOMPARE(shot.pixel(0, 0), p.color(outerTopLeft).rgb());
        QCOMPARE(shot.pixel(1, 1), p.color(innerTopLeft).rgb());
        QCOMPARE(shot.pixel(39, 29), p.color(outerBottomRight).rgb());
        QCOMPARE(shot.pixel(20, 15), p.color(QPalette::Window).rgb());
    }

    void radioGroupItemIndex()
    {
        TRadioGroup *group = addLoanSteps();
        QCOMPARE(group->ItemIndex(), -1);
        QVERIFY(group->title().isEmpty());
        group->setItemIndex(3);
        QCOMPARE(group->ItemIndex(), 3);
        QVERIFY(group->button(3)->isChecked());
        group->setItemIndex(-1);
        QCOMPARE(group->ItemIndex(), -1);
        QVERIFY(!group->button(3)->isChecked());
    }

    // Items fill the first column top to bottom, then the next.
    void radioGroupFillsColumnByColumn()
    {
        TRadioGroup *group = addLoanSteps();
        showWindow();
        const auto pos = [group](int i) { return group->button(i)->geometry().topLeft(); };
        QCOMPARE(pos(1).x(), pos(0).x());
        QVERIFY(pos(1).y() > pos(0).y());
        QCOMPARE(pos(3).y(), pos(0).y());
        QVERIFY(pos(3).x() > pos(0).x());
        QCOMPARE(pos(8).y(), pos(2).y());
        QVERIFY(pos(8).x() > pos(5).x());
        QVERIFY(group->rect().contains(group->button(8)->geometry()));
    }

    void radioGroupOnClickFromUserOnly()
    {
        TRadioGroup *group = addLoanSteps();
        group->setItemIndex(3);
        int clicks = 0;
        group->OnClick = [&](QObject *sender) {
            QCOMPARE(sender, group);
            ++clicks;
        };
        showWindow();

        group->setItemIndex(2);
        QCOMPARE(clicks, 0);
        QTest::mouseClick(group->button(5), Qt::LeftButton, {}, QPoint(6, 6));
        QCOMPARE(group->ItemIndex(), 5);
        QCOMPARE(clicks, 1);
        QTest::mouseClick(group->button(5), Qt::LeftButton, {}, QPoint(6, 6));
        QCOMPARE(clicks, 2);
        // The arrow keys move to the neighbouring item on screen, as in any Qt radio group.
        QCOMPARE(QApplication::focusWidget(), group->button(5));
        QTest::keyClick(group->button(5), Qt::Key_Up);
        QCOMPARE(group->ItemIndex(), 4);
        QCOMPARE(clicks, 3);
    }

    void radioGroupIsOneTabStop()
    {
        auto *layout = new QVBoxLayout(m_window.get());
        auto *before = new QLineEdit(m_window.get());
        layout->addWidget(before);
        TRadioGroup *group = addLoanSteps();
        layout->addWidget(group);
        auto *after = new QLineEdit(m_window.get());
        layout->addWidget(after);
        group->setItemIndex(4);
        showWindow();

        before->setFocus();
        QTest::keyClick(before, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), group->button(4));
        QTest::keyClick(group->button(4), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), after);
        QTest::keyClick(after, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), group->button(4));
    }

    void labelAndImageReportClicks()
    {
        auto *label = new TLabel(QStringLiteral("Quindle Software"), m_window.get());
        label->setGeometry(10, 10, 120, 20);
        auto *image = new TImage(m_window.get());
        image->setGeometry(10, 40, 68, 93);
        QObject *clicked = nullptr;
        int clicks = 0;
        label->OnClick = image->OnClick = [&](QObject *sender) {
            clicked = sender;
            ++clicks;
        };
        showWindow();

        QTest::mouseClick(label, Qt::LeftButton);
        QCOMPARE(clicked, label);
        QTest::mouseClick(image, Qt::LeftButton);
        QCOMPARE(clicked, image);
        QTest::mouseClick(image, Qt::RightButton);
        image->setEnabled(false);
        QTest::mouseClick(image, Qt::LeftButton);
        QCOMPARE(clicks, 2);
    }

    void imageDrawsItsPicture()
    {
        QPixmap green(68, 93);
        green.fill(Qt::green);
        TImage image;
        image.resize(68, 93);
        image.setPicture(QIcon(green));
        QCOMPARE(image.sizeHint(), QSize(68, 93));
        QCOMPARE(QColor(image.grab().toImage().pixel(34, 46)), QColor(Qt::green));
    }
};

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
