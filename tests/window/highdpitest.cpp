#include "windowfixture.h"

#include <QImage>
#include <QPixmap>
#include <QTest>
#include <algorithm>
#include <memory>

namespace {

const QRgb windowBlue = qRgb(0x00, 0x00, 0xFF);

// The smallest rectangle within area holding every pixel that is not the window's blue.
QRect inkBox(const QImage& image, const QRect& area)
{
    QRect ink;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != windowBlue)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

QRect scaled(const QRect& rect, int factor)
{
    return {rect.x() * factor, rect.y() * factor, rect.width() * factor, rect.height() * factor};
}

// Each edge where uniform scaling puts it, give or take the rounding of glyphs at another size.
bool nearlyEqual(const QRect& actual, const QRect& expected)
{
    const int slack = std::max(3, std::max(expected.width(), expected.height()) / 25);
    return std::abs(actual.left() - expected.left()) <= slack &&
           std::abs(actual.top() - expected.top()) <= slack &&
           std::abs(actual.right() - expected.right()) <= slack &&
           std::abs(actual.bottom() - expected.bottom()) <= slack;
}

QString describe(const QRect& rect)
{
    return QStringLiteral("%1,%2 %3x%4")
        .arg(rect.x())
        .arg(rect.y())
        .arg(rect.width())
        .arg(rect.height());
}

} // namespace

// Run under QT_SCALE_FACTOR=2: the window keeps its layout in logical pixels and everything in
// it, boxes, captions, fonts and pictures, is drawn at twice the size in the same relations.
class HighDpiTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void windowIsTwiceAsLarge();
    void controlDrawnAtTwiceTheSize_data();
    void controlDrawnAtTwiceTheSize();

private:
    std::unique_ptr<WindowFixture> m_fixture;
};

void HighDpiTest::initTestCase()
{
    QLocale::setDefault(QLocale::c());
}

void HighDpiTest::init()
{
    m_fixture = std::make_unique<WindowFixture>();
    QVERIFY2(m_fixture->window()->devicePixelRatioF() == 2.0, "run with QT_SCALE_FACTOR=2");
}

void HighDpiTest::cleanup()
{
    m_fixture.reset();
}

void HighDpiTest::windowIsTwiceAsLarge()
{
    QWidget* window = m_fixture->window();
    QCOMPARE(window->size(), QSize(342, 270));
    const QPixmap drawn = window->grab();
    QCOMPARE(drawn.size(), QSize(684, 540));
    QCOMPARE(drawn.devicePixelRatio(), 2.0);
}

void HighDpiTest::controlDrawnAtTwiceTheSize_data()
{
    QTest::addColumn<QString>("control");

    for (const char* control : {"lblTitle", "lblMarvelous", "lblMaxOK", "lblAway", "lblTotalDP",
                                "lblAwards", "txtMarvelous", "txtMaxOK", "cmdCalculate", "cmdHelp",
                                "imgA", "lblDP", "lblNearlyGot", "lblMaxDP", "lblAward"})
        QTest::newRow(control) << control;
}

void HighDpiTest::controlDrawnAtTwiceTheSize()
{
    QFETCH(QString, control);

    m_fixture->typeCounts(typicalCounts);
    m_fixture->pressCalculate();
    // No box keeps the focus, so that no blinking cursor differs between the two drawings.
    m_fixture->window()->setFocus();
    QWidget* window = m_fixture->window();
    const QWidget* widget = window->findChild<QWidget*>(control);
    QVERIFY(widget);

    QImage once(window->size(), QImage::Format_RGB32);
    once.setDevicePixelRatio(1.0);
    window->render(&once);
    const QImage twice = window->grab().toImage().convertToFormat(QImage::Format_RGB32);

    const QRect inkOnce = inkBox(once, widget->geometry());
    const QRect inkTwice = inkBox(twice, scaled(widget->geometry(), 2));
    QVERIFY2(!inkOnce.isEmpty(), "nothing drawn at scale 1");
    QVERIFY2(nearlyEqual(inkTwice, scaled(inkOnce, 2)),
             qPrintable(QStringLiteral("at scale 2 %1, twice scale 1 is %2")
                            .arg(describe(inkTwice), describe(scaled(inkOnce, 2)))));
}

QTEST_MAIN(HighDpiTest)
#include "highdpitest.moc"
