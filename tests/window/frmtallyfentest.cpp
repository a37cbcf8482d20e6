#include "windowfixture.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <messages.h>

Q_DECLARE_METATYPE(Qt::Key)

// The calculator window driven as a player drives it: typing, clicking, Tab, Enter and Esc.
class FrmTallyfenTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startText_data();
    void startText();
    void startPicturesHidden_data();
    void startPicturesHidden();
    void startFocusAndWindow();

    void typicalPress();
    void press_data();
    void press();
    void calculateTwice();

    void failureChangesNothing_data();
    void failureChangesNothing();
    void longPasteIsKeptAndQuotedShort();

    void editClearsResult_data();
    void editClearsResult();
    void editThenCalculateShowsOnlyNewPicture();

    void tabOrder_data();
    void tabOrder();
    void keyPressesNothing_data();
    void keyPressesNothing();

    void help();
    void helpBox();
    void booClick_data();
    void booClick();
    void otherClicksDoNothing_data();
    void otherClicksDoNothing();

private:
    std::unique_ptr<WindowFixture> m_fixture;
};

void FrmTallyfenTest::initTestCase()
{
    QLocale::setDefault(QLocale::c());
}

void FrmTallyfenTest::init()
{
    m_fixture = std::make_unique<WindowFixture>();
}

void FrmTallyfenTest::cleanup()
{
    const QString unexpectedModal = m_fixture->unexpectedModal();
    m_fixture.reset();
    QVERIFY2(unexpectedModal.isEmpty(), qPrintable(unexpectedModal));
}

void FrmTallyfenTest::startText_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");

    for (const QString& box : WindowFixture::countBoxNames)
        QTest::newRow(qPrintable(box)) << box << "0";
    for (const char* result :
         {"lblDP", "lblAward", "lblMaxDP", "lblNearlyGot", "lblShowDP", "lblShowMaxDP"})
        QTest::newRow(result) << result << "";
    QTest::newRow("lblTitle") << "lblTitle"
                              << "Brackwyn's Tallyfen";
    QTest::newRow("lblAway") << "lblAway"
                             << "DP% away from ";
    QTest::newRow("lblTotalDP") << "lblTotalDP"
                                << "Total Dance Percent";
    QTest::newRow("lblAwards") << "lblAwards"
                               << "Awards:";
    QTest::newRow("Label1") << "Label1"
                            << "Max DP";
    QTest::newRow("Label2") << "Label2"
                            << "DP";
    QTest::newRow("lblMarvelous") << "lblMarvelous"
                                  << "Marvelous";
    QTest::newRow("lblBoo") << "lblBoo"
                            << "Boo";
    QTest::newRow("lblMaxOK") << "lblMaxOK"
                              << "Max OK";
    QTest::newRow("cmdCalculate") << "cmdCalculate"
                                  << "Calculate";
    QTest::newRow("cmdHelp") << "cmdHelp"
                             << "?";
}

void FrmTallyfenTest::startText()
{
    QFETCH(QString, control);
    QFETCH(QString, text);

    const QWidget* widget = m_fixture->window()->findChild<QWidget*>(control);
    QVERIFY(widget);
    QCOMPARE(widget->property("text").toString(), text);
}

void FrmTallyfenTest::startPicturesHidden_data()
{
    QTest::addColumn<QString>("picture");
    for (const QString& picture : WindowFixture::pictureNames)
        QTest::newRow(qPrintable(picture)) << picture;
}

void FrmTallyfenTest::startPicturesHidden()
{
    QFETCH(QString, picture);

    const QLabel* shown = m_fixture->label(picture);
    QVERIFY(shown);
    QVERIFY(!shown->isVisible());
    QCOMPARE(shown->geometry(), QRect(24, 40, 127, 62));
    QCOMPARE(shown->focusPolicy(), Qt::NoFocus);
}

void FrmTallyfenTest::startFocusAndWindow()
{
    QWidget* window = m_fixture->window();
    QCOMPARE(QApplication::focusWidget(), m_fixture->box("txtMarvelous"));
    QCOMPARE(window->windowTitle(), "Tallyfen");
    QCOMPARE(window->size(), QSize(342, 270));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QCOMPARE(window->palette().color(QPalette::Window), QColor(0x00, 0x00, 0xFF));
    // The DP row and the line lie below the client area: written, never seen.
    for (const char* hidden : {"Label1", "Label2", "lblShowDP", "lblShowMaxDP", "Line1"})
        QVERIFY2(window->findChild<QWidget*>(hidden)->y() >= window->height(), hidden);
}

void FrmTallyfenTest::typicalPress()
{
    m_fixture->typeCounts(typicalCounts);
    m_fixture->pressCalculate();

    QVERIFY(m_fixture->messages().isEmpty());
    QCOMPARE(m_fixture->label("lblDP")->text(), "92.8571");
    QCOMPARE(m_fixture->visiblePictures(), QStringList{"imgA"});
    QCOMPARE(m_fixture->label("lblNearlyGot")->text(), "AA");
    QCOMPARE(m_fixture->label("lblMaxDP")->text(), "0.1429");
    QCOMPARE(m_fixture->label("lblAward")->text(), "Full Combo");
    QCOMPARE(m_fixture->label("lblShowDP")->text(), "208");
    QCOMPARE(m_fixture->label("lblShowMaxDP")->text(), "224");
}

void FrmTallyfenTest::press_data()
{
    QTest::addColumn<QStringList>("counts");
    QTest::addColumn<QString>("percent");
    QTest::addColumn<QStringList>("pictures");
    QTest::addColumn<QString>("nextGrade");
    QTest::addColumn<QString>("distance");
    QTest::addColumn<QString>("award");
    QTest::addColumn<QString>("dp");
    QTest::addColumn<QString>("maxDp");

    QTest::newRow("AAAA: Marvelous 100") << QStringList{"100", "0", "0", "0", "0", "0", "0", "0"}
                                         << "100" << QStringList{"imgAAAA"} << ""
                                         << ""
                                         << "Quadruple A"
                                         << "200"
                                         << "200";
    QTest::newRow("AAA: Marvelous 50, Perfect 50")
        << QStringList{"50", "50", "0", "0", "0", "0", "0", "0"} << "100" << QStringList{"imgAAA"}
        << "AAAA"
        << "0.0000"
        << "Triple A"
        << "200"
        << "200";
    QTest::newRow("AA at exactly 93: Marvelous 43, Great 7")
        << QStringList{"43", "0", "7", "0", "0", "0", "0", "0"} << "93" << QStringList{"imgAA"}
        << "AAA"
        << "7"
        << "Single Digit Greats"
        << "93"
        << "100";
    QTest::newRow("AA, Black Flag: Marvelous 99, Great 1")
        << QStringList{"99", "0", "1", "0", "0", "0", "0", "0"} << "99.5" << QStringList{"imgAA"}
        << "AAA"
        << "0.5"
        << "Black Flag"
        << "199"
        << "200";
    QTest::newRow("AA, White Flag: Marvelous 99, Perfect 1, Max OK 1")
        << QStringList{"99", "1", "0", "0", "0", "0", "0", "1"} << "97.0874" << QStringList{"imgAA"}
        << "AAA"
        << "2.9126"
        << "White Flag"
        << "200"
        << "206";
    QTest::newRow("AA, no award: Marvelous 99, Good 1")
        << QStringList{"99", "0", "0", "1", "0", "0", "0", "0"} << "99" << QStringList{"imgAA"}
        << "AAA"
        << "1"
        << ""
        << "198"
        << "200";
    QTest::newRow("B: Marvelous 30, Good 10")
        << QStringList{"30", "0", "0", "10", "0", "0", "0", "0"} << "75" << QStringList{"imgB"}
        << "A"
        << "5"
        << ""
        << "60"
        << "80";
    QTest::newRow("C: Marvelous 10, Good 6") << QStringList{"10", "0", "0", "6", "0", "0", "0", "0"}
                                             << "62.5" << QStringList{"imgC"} << "B"
                                             << "2.5"
                                             << ""
                                             << "20"
                                             << "32";
    QTest::newRow("D: Miss 1") << QStringList{"0", "0", "0", "0", "0", "1", "0", "0"} << "-400"
                               << QStringList{"imgD"} << "C"
                               << "440"
                               << ""
                               << "-8"
                               << "2";
    QTest::newRow("above 100: OK 2, Max OK 1")
        << QStringList{"0", "0", "0", "0", "0", "0", "2", "1"} << "200" << QStringList{} << ""
        << ""
        << "Full Combo"
        << "12"
        << "6";
}

void FrmTallyfenTest::press()
{
    QFETCH(QStringList, counts);
    QFETCH(QString, percent);
    QFETCH(QStringList, pictures);
    QFETCH(QString, nextGrade);
    QFETCH(QString, distance);
    QFETCH(QString, award);
    QFETCH(QString, dp);
    QFETCH(QString, maxDp);

    // A typical press first, so that every result label holds something to be replaced.
    m_fixture->typeCounts(typicalCounts);
    m_fixture->pressCalculate();
    m_fixture->typeCounts(counts);
    m_fixture->pressCalculate();

    QVERIFY(m_fixture->messages().isEmpty());
    QCOMPARE(m_fixture->label("lblDP")->text(), percent);
    QCOMPARE(m_fixture->visiblePictures(), pictures);
    QCOMPARE(m_fixture->label("lblNearlyGot")->text(), nextGrade);
    QCOMPARE(m_fixture->label("lblMaxDP")->text(), distance);
    QCOMPARE(m_fixture->label("lblAward")->text(), award);
    QCOMPARE(m_fixture->label("lblShowDP")->text(), dp);
    QCOMPARE(m_fixture->label("lblShowMaxDP")->text(), maxDp);
}

void FrmTallyfenTest::calculateTwice()
{
    m_fixture->typeCounts(typicalCounts);
    m_fixture->pressCalculate();
    const WindowState first = m_fixture->state();

    m_fixture->pressCalculate();

    QCOMPARE(m_fixture->state(), first);
    QCOMPARE(m_fixture->visiblePictures(), QStringList{"imgA"});
    QVERIFY(m_fixture->messages().isEmpty());
}

void FrmTallyfenTest::failureChangesNothing_data()
{
    QTest::addColumn<QStringList>("counts");
    QTest::addColumn<QString>("boxAtFault");
    QTest::addColumn<QString>("message");

    QTest::newRow("every count 0")
        << QStringList{"0", "0", "0", "0", "0", "0", "0", "0"} << "txtMarvelous"
        << "Overflow: Max DP is 0, so there is nothing to score. Type the counts of your play "
           "first.";
    QTest::newRow("Max DP and DP 0 from negative counts")
        << QStringList{"2", "0", "0", "0", "1", "0", "0", "-1"} << "txtMarvelous"
        << "Overflow: Max DP is 0, so there is nothing to score. Type the counts of your play "
           "first.";
    QTest::newRow("abc in Great")
        << QStringList{"90", "0", "abc", "0", "0", "0", "3", "4"} << "txtGreat"
        << "Type mismatch: the Great box holds \"abc\", which is not a number.";
    QTest::newRow("empty Miss box")
        << QStringList{"90", "0", "10", "0", "0", "", "3", "4"} << "txtMiss"
        << "Type mismatch: the Miss box is empty, which is not a "
           "number.";
    QTest::newRow("40000 in Max OK")
        << QStringList{"90", "0", "10", "0", "0", "0", "3", "40000"} << "txtMaxOK"
        << "Overflow: the Max OK box holds \"40000\", which is outside the counts this "
           "calculator takes (-32768 to 32767).";
    QTest::newRow("Marvelous 16384 overflows when doubled")
        << QStringList{"16384", "0", "0", "0", "0", "0", "0", "0"} << "txtMarvelous"
        << "Overflow: these counts are too large to score. A dance-point total has to stay "
           "between -32768 and 32767.";
    QTest::newRow("OK 1 alone: Max DP 0")
        << QStringList{"0", "0", "0", "0", "0", "0", "1", "0"} << "txtMarvelous"
        << "Division by zero: Max DP is 0, so the dance points cannot be turned into a "
           "percentage.";
}

void FrmTallyfenTest::failureChangesNothing()
{
    QFETCH(QStringList, counts);
    QFETCH(QString, boxAtFault);
    QFETCH(QString, message);

    m_fixture->typeCounts(typicalCounts);
    m_fixture->pressCalculate();
    m_fixture->typeCounts(counts);
    const WindowState before = m_fixture->state();

    m_fixture->pressCalculate();

    QCOMPARE(m_fixture->state(), before);
    QCOMPARE(m_fixture->messages().size(), 1);
    QCOMPARE(m_fixture->messages().constFirst().title, "Tallyfen");
    QCOMPARE(m_fixture->messages().constFirst().text, message);
    const QLineEdit* box = m_fixture->box(boxAtFault);
    QCOMPARE(QApplication::focusWidget(), box);
    QCOMPARE(box->selectedText(), box->text());
}

void FrmTallyfenTest::longPasteIsKeptAndQuotedShort()
{
    const QString pasted = QString(100'000, '9') + 'x';
    QApplication::clipboard()->setText(pasted);
    QLineEdit* great = m_fixture->box("txtGreat");
    great->setFocus();
    QTest::keyClick(great, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(great, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(great->text(), pasted);

    m_fixture->pressCalculate();

    QCOMPARE(m_fixture->messages().size(), 1);
    QCOMPARE(m_fixture->messages().constFirst().text,
             "Type mismatch: the Great box holds \"99999999999999999999...\", which is not a "
             "number.");
}

void FrmTallyfenTest::editClearsResult_data()
{
    QTest::addColumn<QString>("boxName");
    QTest::addColumn<QString>("newText");

    for (const QString& box : WindowFixture::countBoxNames)
        QTest::newRow(qPrintable(box + " typed over")) << box << "7";
    QTest::newRow("txtGreat emptied") << "txtGreat"
                                      << "";
    QTest::newRow("txtOK holding letters") << "txtOK"
                                           << "xyz";
}

void FrmTallyfenTest::editClearsResult()
{
    QFETCH(QString, boxName);
    QFETCH(QString, newText);

    m_fixture->typeCounts(typicalCounts);
    m_fixture->pressCalculate();

    m_fixture->typeInto(boxName, newText);

    QCOMPARE(m_fixture->box(boxName)->text(), newText);
    QCOMPARE(m_fixture->label("lblDP")->text(), "");
    QCOMPARE(m_fixture->label("lblAward")->text(), "");
    QCOMPARE(m_fixture->visiblePictures(), QStringList{});
    // The reset is partial: the next-grade line and the DP row keep the last result.
    QCOMPARE(m_fixture->label("lblNearlyGot")->text(), "AA");
    QCOMPARE(m_fixture->label("lblMaxDP")->text(), "0.1429");
    QCOMPARE(m_fixture->label("lblShowDP")->text(), "208");
    QCOMPARE(m_fixture->label("lblShowMaxDP")->text(), "224");
    QCOMPARE(m_fixture->label("lblBoo")->text(), "Boo");
    QVERIFY(m_fixture->messages().isEmpty());
}

void FrmTallyfenTest::editThenCalculateShowsOnlyNewPicture()
{
    m_fixture->typeCounts(typicalCounts);
    m_fixture->pressCalculate();
    QCOMPARE(m_fixture->visiblePictures(), QStringList{"imgA"});

    m_fixture->typeInto("txtGreat", "0");
    m_fixture->pressCalculate();

    QCOMPARE(m_fixture->label("lblDP")->text(), "97.0588");
    QCOMPARE(m_fixture->visiblePictures(), QStringList{"imgAA"});
}

void FrmTallyfenTest::tabOrder_data()
{
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QStringList>("focusOrder");

    const QStringList forward{"txtPerfect", "txtGreat", "txtGood",      "txtBoo",  "txtMiss",
                              "txtOK",      "txtMaxOK", "cmdCalculate", "cmdHelp", "txtMarvelous"};
    QStringList backward{"cmdHelp", "cmdCalculate", "txtMaxOK", "txtOK",      "txtMiss",
                         "txtBoo",  "txtGood",      "txtGreat", "txtPerfect", "txtMarvelous"};
    QTest::newRow("Tab") << Qt::KeyboardModifiers(Qt::NoModifier) << forward;
    QTest::newRow("Shift+Tab") << Qt::KeyboardModifiers(Qt::ShiftModifier) << backward;
}

void FrmTallyfenTest::tabOrder()
{
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QStringList, focusOrder);

    QStringList visited;
    for (qsizetype step = 0; step < focusOrder.size(); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
        visited.append(QApplication::focusWidget()->objectName());
    }
    QCOMPARE(visited, focusOrder);
}

void FrmTallyfenTest::keyPressesNothing_data()
{
    QTest::addColumn<QString>("boxName");
    QTest::addColumn<Qt::Key>("key");

    QTest::newRow("Enter in Max OK") << "txtMaxOK" << Qt::Key_Enter;
    QTest::newRow("Return in Max OK") << "txtMaxOK" << Qt::Key_Return;
    QTest::newRow("Return in Marvelous") << "txtMarvelous" << Qt::Key_Return;
    QTest::newRow("Esc in Great") << "txtGreat" << Qt::Key_Escape;
}

void FrmTallyfenTest::keyPressesNothing()
{
    QFETCH(QString, boxName);
    QFETCH(Qt::Key, key);

    m_fixture->typeCounts(typicalCounts);
    const WindowState before = m_fixture->state();

    QTest::keyClick(m_fixture->box(boxName), key);

    QCOMPARE(m_fixture->state(), before);
    QVERIFY(m_fixture->messages().isEmpty());
    QVERIFY(m_fixture->window()->isVisible());
}

void FrmTallyfenTest::help()
{
    m_fixture->typeCounts(typicalCounts);
    m_fixture->pressCalculate();
    const WindowState before = m_fixture->state();

    m_fixture->pressHelp();
    m_fixture->pressHelp();

    QCOMPARE(m_fixture->messages().size(), 2);
    const tallyfen::Message& shown = m_fixture->messages().constFirst();
    QCOMPARE(m_fixture->messages().constLast(), shown);
    QCOMPARE(shown.title, "Tallyfen");
    QCOMPARE(shown.icon, QMessageBox::NoIcon);
    QCOMPARE(shown.text.size(), 412);
    QCOMPARE(shown.text,
             "Insert the score you have gotten into the text boxes and hit calculate. This will "
             "calculate the Dance Points, the determining factors for which grade you recieve on "
             "a song. By seeing this you can tell by just how much you got your grade or missed "
             "the one you were going for. A marvelous or a perfect is worth 2 DP, Greats are "
             "worth 1, Goods are worth 0, Boos take away 4, Misses take away 8 and an OK is "
             "worth 6.");
    QCOMPARE(m_fixture->state(), before);
}

void FrmTallyfenTest::helpBox()
{
    const auto box = tallyfen::makeMessageBox(m_fixture->window(), tallyfen::helpMessage());

    QCOMPARE(box->windowTitle(), "Tallyfen");
    QCOMPARE(box->icon(), QMessageBox::NoIcon);
    QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(box->windowModality(), Qt::ApplicationModal);
    QCOMPARE(box->text(), tallyfen::helpMessage().text);
}

void FrmTallyfenTest::booClick_data()
{
    QTest::addColumn<QPoint>("where");

    // The label is 73 x 17; the caption's letters fill only its left part.
    QTest::newRow("on the letters") << QPoint(8, 8);
    QTest::newRow("bottom right corner, past the letters") << QPoint(72, 16);
}

void FrmTallyfenTest::booClick()
{
    QFETCH(QPoint, where);

    m_fixture->typeCounts(typicalCounts);
    m_fixture->pressCalculate();
    WindowState expected = m_fixture->state();
    expected.texts.replace(expected.texts.indexOf("lblBoo=Boo"), "lblBoo=Uber");

    QLabel* boo = m_fixture->label("lblBoo");
    QTest::mouseClick(boo, Qt::LeftButton, {}, where);
    QCOMPARE(m_fixture->state(), expected);

    QTest::mouseClick(boo, Qt::LeftButton, {}, where);
    QCOMPARE(m_fixture->state(), expected);
    QCOMPARE(tallyfen::helpMessage().text.count("Boos"), 1);
}

void FrmTallyfenTest::otherClicksDoNothing_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QPoint>("where");

    QTest::newRow("Miss caption") << "lblMiss" << QPoint(8, 8);
    QTest::newRow("title") << "lblTitle" << QPoint(100, 10);
    QTest::newRow("grade picture") << "imgA" << QPoint(60, 30);
    QTest::newRow("percentage") << "lblDP" << QPoint(10, 10);
    QTest::newRow("bare window") << "frmTallyfen" << QPoint(330, 100);
}

void FrmTallyfenTest::otherClicksDoNothing()
{
    QFETCH(QString, control);
    QFETCH(QPoint, where);

    m_fixture->typeCounts(typicalCounts);
    m_fixture->pressCalculate();
    const WindowState before = m_fixture->state();
    QWidget* target = control == m_fixture->window()->objectName()
                          ? m_fixture->window()
                          : m_fixture->window()->findChild<QWidget*>(control);
    QVERIFY(target);

    QTest::mouseClick(target, Qt::LeftButton, {}, where);

    QCOMPARE(m_fixture->state(), before);
    QVERIFY(m_fixture->messages().isEmpty());
}

QTEST_MAIN(FrmTallyfenTest)
#include "frmtallyfentest.moc"
