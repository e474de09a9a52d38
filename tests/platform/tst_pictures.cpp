#include <QSvgRenderer>
#include <QTest>

// The pictures the windows load from their resources: valid SVG, drawn at their design size.
class TestPictures : public QObject
{
    Q_OBJECT

private slots:
    void pictureIsValidAtItsSize_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("size");
        QTest::newRow("logo") << QStringLiteral("ui/pictures/logo.svg") << QSize(68, 93);
        for (const char *name : {"print", "info", "help", "exit", "agree"})
            QTest::newRow(name) << QStringLiteral("ui/pictures/%1.svg").arg(QLatin1String(name))
                                << QSize(20, 20);
        QTest::newRow("banner") << QStringLiteral("app/pictures/banner.svg") << QSize(400, 35);
    }

    void pictureIsValidAtItsSize()
    {
        QFETCH(QString, file);
        QFETCH(QSize, size);
        QSvgRenderer renderer(QStringLiteral(PICTURES_ROOT "/") + file);
        QVERIFY(renderer.isValid());
        QCOMPARE(renderer.defaultSize(), size);
    }
};

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
