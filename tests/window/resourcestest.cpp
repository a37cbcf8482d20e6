#include "windowfixture.h"

#include <QLabel>
#include <QPixmap>
#include <QTest>
#include <applicationicon.h>
#include <memory>

// The pictures and the icon are embedded in a static library; these tests fail if they are
// dropped on the way into the program.
class ResourcesTest : public QObject
{
    Q_OBJECT

private slots:
    void gradePictureLoads_data();
    void gradePictureLoads();
    void formShowsEmbeddedPicture_data();
    void formShowsEmbeddedPicture();
    void iconFileLoads_data();
    void iconFileLoads();
    void applicationIconHasEverySize();
};

void ResourcesTest::gradePictureLoads_data()
{
    QTest::addColumn<QString>("path");
    for (const char* grade : {"AAAA", "AAA", "AA", "A", "B", "C", "D"})
        QTest::newRow(grade) << QStringLiteral(":/grades/%1.jpg").arg(grade);
}

void ResourcesTest::gradePictureLoads()
{
    QFETCH(QString, path);

    const QPixmap picture(path);
    QVERIFY2(!picture.isNull(), qPrintable(path));
    QCOMPARE(picture.size(), QSize(127, 62));
}

void ResourcesTest::formShowsEmbeddedPicture_data()
{
    QTest::addColumn<QString>("picture");
    for (const QString& picture : WindowFixture::pictureNames)
        QTest::newRow(qPrintable(picture)) << picture;
}

void ResourcesTest::formShowsEmbeddedPicture()
{
    QFETCH(QString, picture);

    const WindowFixture fixture;
    const QLabel* shown = fixture.label(picture);
    QVERIFY(shown);
    QCOMPARE(shown->pixmap().size(), QSize(127, 62));
    QVERIFY(!shown->hasScaledContents());
}

void ResourcesTest::iconFileLoads_data()
{
    QTest::addColumn<int>("size");
    for (int size : {16, 32, 48, 64})
        QTest::newRow(qPrintable(QStringLiteral("%1 px").arg(size))) << size;
}

void ResourcesTest::iconFileLoads()
{
    QFETCH(int, size);

    const QPixmap icon(QStringLiteral(":/icon/tallyfen-%1.png").arg(size));
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.size(), QSize(size, size));
}

void ResourcesTest::applicationIconHasEverySize()
{
    const QIcon icon = tallyfen::applicationIcon();
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.availableSizes(),
             (QList<QSize>{{16, 16}, {32, 32}, {48, 48}, {64, 64}}));
}

QTEST_MAIN(ResourcesTest)
#include "resourcestest.moc"
