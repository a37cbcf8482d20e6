#include "windowfixture.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <memory>

// What a screen reader hears: a spoken name for every box, button and grade picture, each
// judgement caption tied to its box, and the results read as the text they show.
class AccessibilityTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void spokenName_data();
    void spokenName();
    void captionLabelsItsBox_data();
    void captionLabelsItsBox();
    void resultsAreReadAsShown_data();
    void resultsAreReadAsShown();

private:
    std::unique_ptr<WindowFixture> m_fixture;
};

void AccessibilityTest::initTestCase()
{
    QLocale::setDefault(QLocale::c());
}

void AccessibilityTest::init()
{
    m_fixture = std::make_unique<WindowFixture>();
}

void AccessibilityTest::cleanup()
{
    m_fixture.reset();
}

void AccessibilityTest::spokenName_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");

    const QStringList judgements{"Marvelous", "Perfect", "Great", "Good",
                                 "Boo",       "Miss",    "OK",    "Max OK"};
    for (qsizetype i = 0; i < judgements.size(); ++i)
        QTest::newRow(qPrintable(WindowFixture::countBoxNames[i]))
            << WindowFixture::countBoxNames[i] << judgements[i] + " count";
    QTest::newRow("cmdCalculate") << "cmdCalculate"
                                  << "Calculate";
    QTest::newRow("cmdHelp") << "cmdHelp"
                             << "Help";
    for (const QString& picture : WindowFixture::pictureNames)
        QTest::newRow(qPrintable(picture)) << picture << "Grade " + picture.mid(3);
}

void AccessibilityTest::spokenName()
{
    QFETCH(QString, control);
    QFETCH(QString, name);

    QWidget* widget = m_fixture->window()->findChild<QWidget*>(control);
    QVERIFY(widget);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), name);
}

void AccessibilityTest::captionLabelsItsBox_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("boxName");

    for (const QString& box : WindowFixture::countBoxNames)
        QTest::newRow(qPrintable(box)) << "lbl" + box.mid(3) << box;
}

void AccessibilityTest::captionLabelsItsBox()
{
    QFETCH(QString, caption);
    QFETCH(QString, boxName);

    QLabel* label = m_fixture->label(caption);
    QLineEdit* box = m_fixture->box(boxName);
    QCOMPARE(label->buddy(), box);

    QAccessibleInterface* accessibleBox = QAccessible::queryAccessibleInterface(box);
    bool labelled = false;
    for (const auto& [other, relation] : accessibleBox->relations(QAccessible::Label))
        labelled = labelled || other->object() == label;
    QVERIFY(labelled);
}

void AccessibilityTest::resultsAreReadAsShown_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("spoken");

    QTest::newRow("lblDP") << "lblDP"
                           << "92.8571";
    QTest::newRow("lblNearlyGot") << "lblNearlyGot"
                                  << "AA";
    QTest::newRow("lblMaxDP") << "lblMaxDP"
                              << "0.1429";
    QTest::newRow("lblAward") << "lblAward"
                              << "Full Combo";
}

void AccessibilityTest::resultsAreReadAsShown()
{
    QFETCH(QString, label);
    QFETCH(QString, spoken);

    m_fixture->typeCounts(typicalCounts);
    m_fixture->pressCalculate();

    QAccessibleInterface* accessible =
        QAccessible::queryAccessibleInterface(m_fixture->label(label));
    QCOMPARE(accessible->text(QAccessible::Name), spoken);
}

QTEST_MAIN(AccessibilityTest)
#include "accessibilitytest.moc"
