#include "urllabel.h"
#include "watchdog.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QMenu>
#include <QTest>
#include <QUrl>

#include <memory>

// Stands in for the system's URL handler.
class UrlReceiver : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened.append(url); }
};

class TestUrlLabel : public QObject
{
    Q_OBJECT

    Watchdog m_watchdog;
    UrlReceiver m_receiver;
    std::unique_ptr<TUrlLabel> m_label;

private slots:
    void initTestCase()
    {
        for (const QString &scheme : {QStringLiteral("https"), QStringLiteral("mailto")})
            QDesktopServices::setUrlHandler(scheme, &m_receiver, "open");
    }

    void cleanupTestCase()
    {
        for (const QString &scheme : {QStringLiteral("https"), QStringLiteral("mailto")})
            QDesktopServices::unsetUrlHandler(scheme);
    }

    void init()
    {
        m_watchdog.start();
        m_receiver.opened.clear();
        m_label = std::make_unique<TUrlLabel>();
        m_label->setCaption(QStringLiteral("www.quindle.example"));
        m_label->setUrl(QStringLiteral("https://www.quindle.example/"));
        m_label->resize(148, 14);
        m_label->show();
        QVERIFY(QTest::qWaitForWindowActive(m_label.get()));
    }

    void cleanup()
    {
        Watchdog::closeStrayWindows();
        m_label.reset();
        m_watchdog.stop();
        QVERIFY(!m_watchdog.fired());
    }

    void leftClickOpensTheUrl_data()
    {
        QTest::addColumn<QString>("url");
        QTest::newRow("web") << QStringLiteral("https://www.quindle.example/");
        QTest::newRow("mail") << QStringLiteral("mailto:info@quindle.example");
    }

    void leftClickOpensTheUrl()
    {
        QFETCH(QString, url);
        m_label->setUrl(url);
        int clicks = 0;
        m_label->OnClick = [&](QObject *) { ++clicks; };
        QTest::mouseClick(m_label.get(), Qt::LeftButton);
        QCOMPARE(m_receiver.opened, QList<QUrl>{QUrl(url)});
        QCOMPARE(clicks, 1);
    }

    void disabledOrRightClickOpensNothing()
    {
        QTest::mouseClick(m_label.get(), Qt::RightButton);
        Watchdog::closeStrayWindows();
        m_label->setEnabled(false);
        QTest::mouseClick(m_label.get(), Qt::LeftButton);
        QVERIFY(m_receiver.opened.isEmpty());
    }

    void showsTheHandPointer() { QCOMPARE(m_label->cursor().shape(), Qt::PointingHandCursor); }

    void contextMenuCopiesTheCaption()
    {
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                m_label->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(m_label.get(), &event);
        QTRY_COMPARE(QApplication::activePopupWidget(), m_label->contextMenu());
        const QList<QAction *> actions = m_label->contextMenu()->actions();
        QCOMPARE(actions.size(), 1);
        QCOMPARE(actions[0]->text(), QStringLiteral("Copy"));
        actions[0]->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("www.quindle.example"));
        QVERIFY(m_receiver.opened.isEmpty());
    }
};

QTEST_MAIN(TestUrlLabel)
#include "tst_urllabel.moc"
