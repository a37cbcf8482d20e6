#include "windowfixture.h"

#include <QLabel>
#include <QLocale>
#include <QTest>
#include <memory>

// Under a German locale the window writes a decimal comma and reads counts the German way.
class GermanLocaleTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void typicalPressWritesDecimalComma();
    void countsReadTheGermanWay_data();
    void countsReadTheGermanWay();

private:
    std::unique_ptr<WindowFixture> m_fixture;
};

void GermanLocaleTest::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
}

void GermanLocaleTest::init()
{
    m_fixture = std::make_unique<WindowFixture>();
}

void GermanLocaleTest::cleanup()
{
    const QString unexpectedModal = m_fixture->unexpectedModal();
    m_fixture.reset();
    QVERIFY2(unexpectedModal.isEmpty(), qPrintable(unexpectedModal));
}

void GermanLocaleTest::typicalPressWritesDecimalComma()
{
    m_fixture->typeCounts(typicalCounts);
    m_fixture->pressCalculate();

    QVERIFY(m_fixture->messages().isEmpty());
    QCOMPARE(m_fixture->label("lblDP")->text(), "92,8571");
    QCOMPARE(m_fixture->label("lblMaxDP")->text(), "0,1429");
    QCOMPARE(m_fixture->label("lblNearlyGot")->text(), "AA");
}

void GermanLocaleTest::countsReadTheGermanWay_data()
{
    QTest::addColumn<QString>("marvelous");
    QTest::addColumn<QString>("dp");

    QTest::newRow("2,5 rounds to the even 2") << "2,5"
                                              << "4";
    QTest::newRow("3,5 rounds to the even 4") << "3,5"
                                              << "8";
    QTest::newRow("1.000 is a thousand") << "1.000"
                                         << "2000";
}

void GermanLocaleTest::countsReadTheGermanWay()
{
    QFETCH(QString, marvelous);
    QFETCH(QString, dp);

    m_fixture->typeInto("txtMarvelous", marvelous);
    m_fixture->pressCalculate();

    QVERIFY(m_fixture->messages().isEmpty());
    QCOMPARE(m_fixture->label("lblShowDP")->text(), dp);
    QCOMPARE(m_fixture->label("lblDP")->text(), "100");
}

QTEST_MAIN(GermanLocaleTest)
#include "germanlocaletest.moc"
