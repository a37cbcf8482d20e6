// The calculator window driven as a player drives it: typing, clicking, Tab, Enter and Esc. What
// the scoring rows and the sentences' rows hold (the numbers, the words) is not asked again here.
#include "windowcontrols.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QStyleFactory>
#include <QTest>
#include <QTextLayout>
#include <QWindow>
#include <algorithm>
#include <frmtallyfen.h>
#include <memory>
#include <messagebox.h>
#include <resultannouncement.h>
#include <sentences.h>
#include <startup.h>
#include <string_view>
#include <vector>

using tallyfen::Message;

namespace {

// The screen scale the test was started for (-scale N).
double requestedScale = 1;

// A desktop whose dialog buttons carry icons, so a box that keeps one is seen.
class IconButtonStyle : public QProxyStyle
{
public:
    IconButtonStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* answer) const override
    {
        return hint == SH_DialogButtonBox_ButtonsHaveIcons
                   ? 1
                   : QProxyStyle::styleHint(hint, option, widget, answer);
    }
};

// A row's eight box texts, split at blanks; "_" is an empty box.
QStringList boxTexts(const QString& row)
{
    QStringList texts = row.split(' ');
    texts.replaceInStrings(QRegularExpression("^_$"), QString());
    return texts;
}

// WCAG's contrast ratio of a colour against the window's blue.
double contrastWithBlue(QRgb colour)
{
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const double luminance = 0.2126 * linear(qRed(colour)) + 0.7152 * linear(qGreen(colour)) +
                             0.0722 * linear(qBlue(colour));
    return (std::max(luminance, 0.0722) + 0.05) / (std::min(luminance, 0.0722) + 0.05);
}

} // namespace

class FrmTallyfenTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<tallyfen::frmTallyfen> m_window;
    QList<Message> m_messages;

    // A control by its object name; no name is the window itself.
    template <typename Widget = QWidget> Widget* find(const QString& name) const
    {
        return name.isEmpty() ? qobject_cast<Widget*>(m_window.get())
                              : m_window->findChild<Widget*>(name);
    }
    QLineEdit* box(const QString& name) const { return find<QLineEdit>(name); }
    QLabel* label(const QString& name) const { return find<QLabel>(name); }
    void pressCalculate() const { QTest::mouseClick(find("cmdCalculate"), Qt::LeftButton); }

    // Replaces each box's text as a player would: select all, then type (or delete), the whole
    // text in one key event, as an input method sends it, emoji included.
    void typeCounts(const QStringList& texts) const
    {
        for (qsizetype i = 0; i < texts.size(); ++i) {
            QLineEdit* target = box(windowcontrols::countBoxes[i]);
            target->setFocus();
            QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(target, Qt::Key_Delete);
            if (!texts[i].isEmpty())
                QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, texts[i], {});
        }
    }

    // lblDP|visible pictures|lblNearlyGot|lblMaxDP|lblAward|lblShowDP|lblShowMaxDP
    QString results() const
    {
        QStringList pictures;
        for (const QString& name : windowcontrols::gradePictures)
            if (label(name)->isVisible())
                pictures += name;
        QStringList texts{label("lblDP")->text(), pictures.join(',')};
        for (const char* name :
             {"lblNearlyGot", "lblMaxDP", "lblAward", "lblShowDP", "lblShowMaxDP"})
            texts += label(name)->text();
        return texts.join('|');
    }

    // Everything a player can see change: every box and label text, and which pictures show.
    QStringList shown() const
    {
        QStringList seen{"pictures=" + results().section('|', 1, 1)};
        for (const QString& name : windowcontrols::countBoxes)
            seen += name + '=' + box(name)->text();
        for (const QString& name : windowcontrols::labels)
            seen += name + '=' + label(name)->text();
        return seen;
    }

    QString accessibleName(const QString& name) const
    {
        return QAccessible::queryAccessibleInterface(find(name))->text(QAccessible::Name);
    }

private slots:
    void initTestCase() { QApplication::setStyle(new IconButtonStyle); }

    void init()
    {
        QLocale::setDefault(QLocale::c());
        m_messages.clear();
        tallyfen::setMessageHandler(
            [this](QWidget*, const Message& shown) { m_messages += shown; });
        m_window = tallyfen::startUp();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    // A box is never left open for the next test; one that a test did not expect fails it.
    void cleanup()
    {
        QWidget* modal = QApplication::activeModalWidget();
        const QString leftOpen = modal ? modal->windowTitle() : QString();
        m_window.reset();
        QVERIFY2(!modal, qPrintable("a message box left open: " + leftOpen));
    }

    void press_data()
    {
        QTest::addColumn<QString>("counts");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("edited");
        // clang-format off
        QTest::newRow("marvelous100") << "100 0 0 0 0 0 0 0" << "C" << "100|imgAAAA|||Quadruple A|200|200" << "txtMarvelous";
        QTest::newRow("marvelous50Perfect50") << "50 50 0 0 0 0 0 0" << "C" << "100|imgAAA|AAAA|0.0000|Triple A|200|200" << "txtPerfect";
        QTest::newRow("marvelous43Great7") << "43 0 7 0 0 0 0 0" << "C" << "93|imgAA|AAA|7|Single Digit Greats|93|100" << "txtGreat";
        QTest::newRow("typicalPlay") << "90 0 10 0 0 0 3 4" << "C" << "92.8571|imgA|AA|0.1429|Full Combo|208|224" << "txtGood";
        QTest::newRow("marvelous30Good10") << "30 0 0 10 0 0 0 0" << "C" << "75|imgB|A|5||60|80" << "txtBoo";
        QTest::newRow("marvelous10Good6") << "10 0 0 6 0 0 0 0" << "C" << "62.5|imgC|B|2.5||20|32" << "txtMiss";
        QTest::newRow("miss1") << "0 0 0 0 0 1 0 0" << "C" << "-400|imgD|C|440||-8|2" << "txtOK";
        QTest::newRow("ok2MaxOK1") << "0 0 0 0 0 0 2 1" << "C" << "200||||Full Combo|12|6" << "txtMaxOK";
        QTest::newRow("germanMarvelous89Comma5") << "89,5 0 10 0 0 0 3 4" << "de_DE" << "92,8571|imgA|AA|0,1429|Full Combo|208|224" << "txtGreat";
        QTest::newRow("germanMarvelous50Perfect50") << "50 50 0 0 0 0 0 0" << "de_DE" << "100|imgAAA|AAAA|0.0000|Triple A|200|200" << "txtOK";
        // clang-format on
    }

    // Calculate writes every result label over the last result's and tells a screen reader the
    // result, as a notification of the window; then an edit of any box takes the percentage, the
    // picture and the award off, and leaves the rest.
    void press()
    {
        QFETCH(QString, counts);
        QFETCH(QString, locale);
        QFETCH(QString, expected);
        QFETCH(QString, edited);
        QLocale::setDefault(QLocale(locale));
        typeCounts(windowcontrols::typicalPlay);
        pressCalculate();
        typeCounts(boxTexts(counts));
        pressCalculate();

        QCOMPARE(results(), expected);
        QCOMPARE(m_messages.size(), 0);
        QAccessibleInterface* announcement = QAccessible::queryAccessibleInterface(
            m_window->findChild<tallyfen::ResultAnnouncement*>("resultAnnouncement"));
        QCOMPARE(announcement->role(), QAccessible::Notification);
        QVERIFY(announcement->text(QAccessible::Name).startsWith(label("lblDP")->text() + " "));
        QCOMPARE(announcement->parent()->object(), m_window.get());
        QCOMPARE((QList{announcement->childCount(), announcement->indexOfChild(announcement)}),
                 (QList{0, -1}));

        QStringList cleared = shown();
        cleared.replaceInStrings(QRegularExpression("^(pictures|lblDP|lblAward)=.*"), "\\1=");
        cleared[cleared.indexOf(QRegularExpression(edited + "=.*"))] += '1';
        box(edited)->setFocus();
        box(edited)->end(false);
        QTest::keyClick(box(edited), Qt::Key_1);
        QCOMPARE(shown(), cleared);
    }

    void failure_data()
    {
        QTest::addColumn<QString>("counts");
        QTest::addColumn<QString>("boxAtFault");
        QTest::addColumn<QString>("quotes");
        // clang-format off
        QTest::newRow("greatAbc") << "90 0 abc 0 0 0 3 4" << "txtGreat" << "the Great box holds \"abc\"";
        QTest::newRow("missEmpty") << "90 0 10 0 0 _ 3 4" << "txtMiss" << "the Miss box is empty";
        QTest::newRow("maxOK40000") << "90 0 10 0 0 0 3 40000" << "txtMaxOK" << "the Max OK box holds \"40000\"";
        QTest::newRow("good16384") << "0 0 0 16384 0 0 0 0" << "txtGood" << "";
        QTest::newRow("everyCountZero") << "0 0 0 0 0 0 0 0" << "txtMarvelous" << "";
        // clang-format on
    }

    // A failure changes nothing the player sees but for a warning, which quotes the box at fault;
    // once it is closed, the box that the core names has the focus with its text selected.
    void failure()
    {
        QFETCH(QString, counts);
        QFETCH(QString, boxAtFault);
        QFETCH(QString, quotes);
        typeCounts(windowcontrols::typicalPlay);
        pressCalculate();
        typeCounts(boxTexts(counts));
        const QStringList before = shown();

        pressCalculate();

        QCOMPARE(shown(), before);
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE((std::pair{m_messages[0].kind, m_messages[0].title}),
                 (std::pair{Message::Kind::warning, std::string("Tallyfen")}));
        QVERIFY2(QString::fromStdString(m_messages[0].text).contains(quotes),
                 m_messages[0].text.c_str());
        QCOMPARE(QApplication::focusWidget(), box(boxAtFault));
        QCOMPARE(box(boxAtFault)->selectedText(), box(boxAtFault)->text());
    }

    void key_data()
    {
        QTest::addColumn<QString>("focused");
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QString>("percent");
        QTest::addColumn<int>("messages");
        const Qt::KeyboardModifiers none = Qt::NoModifier, keypad = Qt::KeypadModifier;
        // clang-format off
        QTest::newRow("returnOnCalculate") << "cmdCalculate" << int(Qt::Key_Return) << none << "92.8571" << 0;
        QTest::newRow("keypadEnterOnCalculate") << "cmdCalculate" << int(Qt::Key_Enter) << keypad << "92.8571" << 0;
        QTest::newRow("returnOnHelp") << "cmdHelp" << int(Qt::Key_Return) << none << "" << 1;
        QTest::newRow("keypadEnterOnHelp") << "cmdHelp" << int(Qt::Key_Enter) << keypad << "" << 1;
        QTest::newRow("returnInMaxOK") << "txtMaxOK" << int(Qt::Key_Return) << none << "" << 0;
        QTest::newRow("keypadEnterInMarvelous") << "txtMarvelous" << int(Qt::Key_Enter) << keypad << "" << 0;
        QTest::newRow("escapeInGreat") << "txtGreat" << int(Qt::Key_Escape) << none << "" << 0;
        QTest::newRow("escapeOnCalculate") << "cmdCalculate" << int(Qt::Key_Escape) << none << "" << 0;
        // clang-format on
    }

    void key()
    {
        QFETCH(QString, focused);
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QString, percent);
        QFETCH(int, messages);
        typeCounts(windowcontrols::typicalPlay);
        find(focused)->setFocus();

        QTest::keyClick(find(focused), Qt::Key(key), modifiers);

        QCOMPARE(label("lblDP")->text(), percent);
        QCOMPARE(m_messages.size(), messages);
        QVERIFY(m_window->isVisible());
    }

    void tabOrder_data()
    {
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QString>("order");
        QTest::newRow("tab") << Qt::KeyboardModifiers(Qt::NoModifier)
                             << "txtPerfect txtGreat txtGood txtBoo txtMiss txtOK txtMaxOK "
                                "cmdCalculate cmdHelp txtMarvelous";
        QTest::newRow("shiftTab") << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                  << "cmdHelp cmdCalculate txtMaxOK txtOK txtMiss txtBoo txtGood "
                                     "txtGreat txtPerfect txtMarvelous";
    }

    // Tab visits the controls in order; a box it enters has its text selected, a box it leaves
    // none. The boxes hold back the accessibility events of a focus change (a screen reader hears
    // the focus itself), and give the update path back as they found it.
    void tabOrder()
    {
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QString, order);
        const QAccessible::UpdateHandler application = [](QAccessibleEvent*) {};
        const QAccessible::UpdateHandler before = QAccessible::installUpdateHandler(application);
        QStringList visited;
        for (int step = 0; step < 10; ++step) {
            auto* left = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
            visited += QApplication::focusWidget()->objectName();
            if (left)
                QVERIFY(!left->hasSelectedText());
            if (auto* entered = qobject_cast<QLineEdit*>(QApplication::focusWidget()))
                QCOMPARE(entered->selectedText(), entered->text());
        }
        QVERIFY(QAccessible::installUpdateHandler(before) == application);
        QCOMPARE(visited.join(' '), order);
    }

    // The window opens in its normal state in the middle of the screen (off it by no more than
    // the frame the platform draws), with no maximise button, and in the Marvelous box, whose 0
    // the first digits typed replace.
    void start()
    {
        const QPoint offCentre =
            m_window->geometry().center() - m_window->screen()->availableGeometry().center();
        QCOMPARE(offCentre, m_window->geometry().topLeft() - m_window->frameGeometry().topLeft());
        QVERIFY(!m_window->isFullScreen() && !m_window->isMaximized());
        const Qt::WindowFlags buttons = Qt::CustomizeWindowHint | Qt::WindowMaximizeButtonHint |
                                        Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
        QCOMPARE(m_window->windowFlags() & buttons, buttons & ~Qt::WindowMaximizeButtonHint);
        QCOMPARE(QApplication::focusWidget(), box("txtMarvelous"));
        QTest::keyClicks(QApplication::focusWidget(), "90");
        QCOMPARE(box("txtMarvelous")->text(), "90");
    }

    void focusRing_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("cmdCalculate") << "cmdCalculate";
        QTest::newRow("cmdHelp") << "cmdHelp";
    }

    // A focused button is ringed, two pixels deep, at 3:1 or more against the blue around it;
    // inside the ring, and without the focus, it looks exactly as a plain push button does.
    void focusRing()
    {
        QFETCH(QString, button);
        auto* shown = find<QPushButton>(button);
        QPushButton plain(shown->text(), m_window.get());
        plain.setGeometry(shown->geometry());
        plain.setAutoDefault(shown->autoDefault());
        plain.show();
        QCOMPARE(shown->grab().toImage().convertToFormat(QImage::Format_RGB32),
                 plain.grab().toImage().convertToFormat(QImage::Format_RGB32));

        plain.setFocus(Qt::TabFocusReason);
        const QImage plainFocused = plain.grab().toImage();
        shown->setFocus(Qt::TabFocusReason);
        const QImage focused = shown->grab().toImage();
        for (int y = 0; y < focused.height(); ++y)
            for (int x = 0; x < focused.width(); ++x) {
                const int depth =
                    std::min({x, y, focused.width() - 1 - x, focused.height() - 1 - y});
                QVERIFY2(depth >= 2 ? focused.pixel(x, y) == plainFocused.pixel(x, y)
                                    : focused.pixel(x, y) != plainFocused.pixel(x, y) &&
                                          contrastWithBlue(focused.pixel(x, y)) >= 3,
                         qPrintable(QString("%1,%2").arg(x).arg(y)));
            }
    }

    void windowState_data()
    {
        QTest::addColumn<Qt::WindowState>("state");
        QTest::addColumn<bool>("sizeGiven");
        QTest::newRow("maximised") << Qt::WindowMaximized << true;
        QTest::newRow("fullScreen") << Qt::WindowFullScreen << true;
        QTest::newRow("minimised") << Qt::WindowMinimized << false;
    }

    // A desktop that maximises the window anyway gets the size it asks for at once; back in its
    // normal state the window has its one size again, and what was typed is still there.
    void windowState()
    {
        QFETCH(Qt::WindowState, state);
        QFETCH(bool, sizeGiven);
        const QSize oneSize = m_window->minimumSize();
        QTest::keyClicks(box("txtMarvelous"), "90");

        m_window->windowHandle()->setWindowStates(state);
        QCOMPARE(m_window->maximumSize() != oneSize, sizeGiven);
        QTRY_COMPARE(m_window->windowState(), state);
        QCOMPARE(m_window->size() != oneSize, sizeGiven);
        m_window->windowHandle()->setWindowStates(Qt::WindowNoState);

        QTRY_COMPARE(m_window->size(), oneSize);
        QCOMPARE(m_window->maximumSize(), oneSize);
        QCOMPARE(box("txtMarvelous")->text(), "90");
    }

    void closeBox_data()
    {
        QTest::addColumn<QString>("great");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("close");
        QTest::addColumn<QString>("focused");
        // clang-format off
        QTest::newRow("helpEnter") << "10" << "cmdHelp" << "enter" << "cmdHelp";
        QTest::newRow("helpClick") << "10" << "cmdHelp" << "click" << "cmdHelp";
        QTest::newRow("greatAbcEnter") << "abc" << "cmdCalculate" << "enter" << "txtGreat";
        QTest::newRow("greatAbcClick") << "abc" << "cmdCalculate" << "click" << "txtGreat";
        QTest::newRow("greatAbcEscape") << "abc" << "cmdCalculate" << "escape" << "txtGreat";
        QTest::newRow("greatMarkupEnter") << "<b>1</b>" << "cmdCalculate" << "enter" << "txtGreat";
        // clang-format on
    }

    // A real box, titled Tallyfen in the window's face, with no icon on its OK, a box's text
    // quoted as typed, markup too (and the help centred, with no icon at all), holds the window
    // until the player closes it with Enter, a click or Esc on OK, and is gone then; nothing in the
    // window has changed, and the focus goes back, after a failure to the box at fault with its
    // text selected.
    void closeBox()
    {
        QFETCH(QString, great);
        QFETCH(QString, button);
        QFETCH(QString, close);
        QFETCH(QString, focused);
        QStringList counts = windowcontrols::typicalPlay;
        counts[2] = great;
        typeCounts(counts);
        const QStringList before = shown();
        tallyfen::setMessageHandler({});
        QTest::mouseClick(find(button), Qt::LeftButton);

        const QPointer<QMessageBox> box =
            qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        QCOMPARE(box->windowTitle(), "Tallyfen");
        QCOMPARE(box->font(), m_window->font());
        QAbstractButton* ok = box->button(QMessageBox::Ok);
        QVERIFY(ok->icon().isNull());
        const QLabel* text = box->findChild<QLabel*>("qt_msgbox_label");
        QCOMPARE(text->textFormat(), Qt::PlainText);
        QVERIFY(text->text().contains('"' + great + '"') || button == "cmdHelp");
        if (button == "cmdHelp") {
            QCOMPARE(box->text().toStdString(), tallyfen::helpMessage().text);
            QCOMPARE(text->x(), box->width() - text->geometry().right() - 1);
        }
        if (close == "click")
            QTest::mouseClick(ok, Qt::LeftButton);
        else
            QTest::keyClick(ok, close == "enter" ? Qt::Key_Enter : Qt::Key_Escape);

        QTRY_COMPARE(QApplication::activeModalWidget(), nullptr);
        QTRY_VERIFY(!box);
        QTRY_COMPARE(QApplication::focusWidget(), find(focused));
        if (auto* countBox = qobject_cast<QLineEdit*>(QApplication::focusWidget()))
            QCOMPARE(countBox->selectedText(), great);
        QCOMPARE(shown(), before);
    }

    void click_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QPoint>("pressAt");
        QTest::addColumn<QPoint>("releaseAt");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QString>("boo");
        // clang-format off
        QTest::newRow("booLetters") << "lblBoo" << QPoint(8, 8) << QPoint(8, 8) << Qt::LeftButton << "Uber";
        QTest::newRow("booBottomRightCorner") << "lblBoo" << QPoint(72, 16) << QPoint(72, 16) << Qt::LeftButton << "Uber";
        QTest::newRow("booRightButton") << "lblBoo" << QPoint(8, 8) << QPoint(8, 8) << Qt::RightButton << "Boo";
        QTest::newRow("booDraggedOff") << "lblBoo" << QPoint(8, 8) << QPoint(90, 8) << Qt::LeftButton << "Boo";
        QTest::newRow("missCaption") << "lblMiss" << QPoint(8, 8) << QPoint(8, 8) << Qt::LeftButton << "Boo";
        QTest::newRow("title") << "lblTitle" << QPoint(100, 10) << QPoint(100, 10) << Qt::LeftButton << "Boo";
        QTest::newRow("gradePicture") << "imgA" << QPoint(60, 30) << QPoint(60, 30) << Qt::LeftButton << "Boo";
        QTest::newRow("bareWindow") << "" << QPoint(330, 100) << QPoint(330, 100) << Qt::LeftButton << "Boo";
        // clang-format on
    }

    // Only a click in the Boo caption's rectangle changes it, to "Uber", and then the caption and
    // its box are read, and called, by that word; nothing else changes.
    void click()
    {
        QFETCH(QString, control);
        QFETCH(QPoint, pressAt);
        QFETCH(QPoint, releaseAt);
        QFETCH(Qt::MouseButton, button);
        QFETCH(QString, boo);
        typeCounts(windowcontrols::typicalPlay);
        pressCalculate();
        QStringList expected = shown();
        expected.replaceInStrings(QRegularExpression("^lblBoo=Boo$"), "lblBoo=" + boo);

        for (int twice = 0; twice < 2; ++twice) {
            QTest::mousePress(find(control), button, {}, pressAt);
            QTest::mouseRelease(find(control), button, {}, releaseAt);
        }

        QCOMPARE(shown(), expected);
        QCOMPARE(m_messages.size(), 0);
        QCOMPARE((QStringList{accessibleName("lblBoo"), accessibleName("txtBoo")}),
                 (QStringList{boo + " count", boo + " count"}));
    }

    void gradePicture_data()
    {
        QTest::addColumn<QString>("picture");
        for (const QString& picture : windowcontrols::gradePictures)
            QTest::newRow(qPrintable(picture)) << picture;
    }

    // The picture a screen shows is the committed one drawn for it (the @2x file above 1x), at the
    // picture's own size and place whatever the scale.
    void gradePicture()
    {
        QFETCH(QString, picture);
        QCOMPARE(m_window->devicePixelRatioF(), requestedScale);
        const bool twice = requestedScale > 1;
        QImage committed(":/committed/assets/grades/" + picture.mid(3) + (twice ? "@2x" : "") +
                         ".jpg");
        QVERIFY(!committed.isNull());
        committed.setDevicePixelRatio(twice ? 2 : 1);
        const QPixmap shown = label(picture)->pixmap();
        QCOMPARE(shown.deviceIndependentSize(), QSizeF(label(picture)->size()));
        QCOMPARE(shown.toImage().convertToFormat(QImage::Format_RGB32),
                 committed.convertToFormat(QImage::Format_RGB32));
    }

    // The window's icon at each size is the committed picture, and the program names itself to
    // the desktop as its packaged desktop entry and metainfo do (on X11 the window's WM_CLASS is
    // the application name, which a dock matches to the entry); a label drawn at a fraction of
    // a point, as the form says, is.
    void identity()
    {
        for (int size : {16, 32, 48, 64})
            QCOMPARE(m_window->windowIcon().pixmap(size).toImage(),
                     QImage(QString(":/committed/assets/icon/tallyfen-%1.png").arg(size))
                         .convertToFormat(QImage::Format_ARGB32_Premultiplied));
        const auto packaged = [](const QString& suffix, const QString& pattern) {
            QDir packaging(":/committed/packaging/linux");
            QFile text(packaging.filePath(packaging.entryList({"*" + suffix}).value(0)));
            text.open(QIODevice::ReadOnly);
            return QRegularExpression(pattern, QRegularExpression::MultilineOption)
                .match(QString::fromUtf8(text.readAll()))
                .captured(1);
        };
        const QString name = packaged(".desktop", "^Name=(.*)$");
        QCOMPARE(
            (QStringList{qApp->applicationName(), qApp->applicationDisplayName(),
                         qApp->applicationVersion(), qApp->desktopFileName() + ".desktop"}),
            (QStringList{packaged(".desktop", "^StartupWMClass=(.*)$"), name,
                         packaged(".metainfo.xml", "<release version=\"([^\"]+)\""),
                         QDir(":/committed/packaging/linux").entryList({"*.desktop"}).value(0)}));
        QVERIFY(!name.isEmpty() && name == qApp->applicationName());
        int fractional = 0;
        for (const QLabel* shown : m_window->findChildren<QLabel*>())
            if (const QVariant points = shown->property("pointSizeF"); points.isValid()) {
                QCOMPARE(shown->font().pointSizeF(), points.toReal());
                ++fractional;
            }
        QVERIFY(fractional > 0);
    }

    void awardFits_data()
    {
        QTest::addColumn<QString>("award");
        for (const char* award : {"Full Combo", "Single Digit Greats", "Black Flag", "Triple A",
                                  "Single Digit Perfects", "White Flag", "Quadruple A"})
            QTest::newRow(qPrintable(QString(award).remove(' '))) << award;
    }

    // Lays the award out as the label does (word wrap in its width, lines a leading apart): no
    // line may reach past the label's right or bottom edge, where the label cuts it.
    void awardFits()
    {
        QFETCH(QString, award);
        const QLabel* shown = label("lblAward");
        const QRect area = shown->contentsRect();
        QTextLayout layout(award, shown->font());
        QTextOption wrap;
        wrap.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(wrap);
        qreal height = 0;
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(area.width());
            height = std::ceil(height + QFontMetricsF(shown->font()).leading());
            line.setPosition({0, height});
            height += line.height();
            QVERIFY2(line.naturalTextWidth() <= area.width() && height <= area.height(),
                     qPrintable(QString("line %1 ends at %2 of %3")
                                    .arg(line.lineNumber() + 1)
                                    .arg(height)
                                    .arg(area.height())));
        }
        layout.endLayout();
    }

    void accessible_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QAccessible::Role>("role");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        const QStringList judgements{"Marvelous", "Perfect", "Great", "Good",
                                     "Boo",       "Miss",    "OK",    "Max OK"};
        for (qsizetype i = 0; i < judgements.size(); ++i) {
            const QString& box = windowcontrols::countBoxes[i];
            QTest::newRow(qPrintable(box))
                << box << QAccessible::EditableText << judgements[i] + " count"
                << "lbl" + box.mid(3);
        }
        // clang-format off
        QTest::newRow("frmTallyfen") << "" << QAccessible::Window << "Tallyfen" << "";
        QTest::newRow("cmdCalculate") << "cmdCalculate" << QAccessible::Button << "Calculate" << "";
        QTest::newRow("cmdHelp") << "cmdHelp" << QAccessible::Button << "Help" << "";
        // clang-format on
        for (const QString& picture : windowcontrols::gradePictures)
            QTest::newRow(qPrintable(picture))
                << picture << QAccessible::Graphic << "Grade " + picture.mid(3) << "";
    }

    // What a screen reader finds: each control's role and name, and the caption tied to it, which
    // Orca reads in place of the control's own name.
    void accessible()
    {
        QFETCH(QString, control);
        QFETCH(QAccessible::Role, role);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(find(control));
        QCOMPARE(read->role(), role);
        QCOMPARE(read->text(QAccessible::Name), name);
        QStringList captions;
        for (const auto& [other, relation] : read->relations(QAccessible::Label)) {
            captions += other->object()->objectName();
            QCOMPARE(other->text(QAccessible::Name), name);
        }
        QCOMPARE(captions.join(' '), caption);
    }

    void boxValue_data()
    {
        QTest::addColumn<QString>("typed");
        for (const char* typed : {"90", "10", "0", "abc", "", " 12 "})
            QTest::newRow(*typed ? typed : "empty") << QString(typed);
    }

    // A box's text as a screen reader reads it and moves in it: whole, in one run of attributes
    // from any offset, each character where the box draws it (in the middle of its height), the
    // selection of a Tab as it stands.
    void boxValue()
    {
        QFETCH(QString, typed);
        typeCounts({"0", "0", typed, "0"});
        QTest::keyClick(box("txtGood"), Qt::Key_Tab, Qt::ShiftModifier);
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(box("txtGreat"));
        QAccessibleTextInterface* text = read->textInterface();
        const int length = static_cast<int>(typed.size());

        QVERIFY(read->state().editable && read->state().selectableText && !read->state().readOnly);
        QCOMPARE((QStringList{read->text(QAccessible::Value), text->text(0, length)}),
                 (QStringList{typed, typed}));
        QCOMPARE(text->characterCount(), length);
        int start = -1, end = -1;
        text->selection(0, &start, &end);
        QCOMPARE((QList{text->selectionCount(), start, end}), (QList{length ? 1 : 0, 0, length}));
        const QRect boxArea(box("txtGreat")->mapToGlobal(QPoint()), box("txtGreat")->size());
        for (int offset = 0; offset < length; ++offset) {
            text->attributes(offset, &start, &end);
            QCOMPARE((std::pair{start, end}), (std::pair{0, length}));
            const QRect character = text->characterRect(offset);
            QVERIFY2(boxArea.contains(character) &&
                         std::abs(character.center().y() - boxArea.center().y()) <= 1,
                     qPrintable(QString::number(offset)));
            QCOMPARE(text->offsetAtPoint(character.center() - QPoint(character.width() / 4, 0)),
                     offset);
        }

        QCOMPARE(text->text(1, 0), QString());
        for (int outside : {-1, length + 1}) {
            text->attributes(outside, &start, &end);
            QCOMPARE((std::pair{start, end}), (std::pair{-1, -1}));
        }

        const int from = std::min(1, length), to = std::max(from, length - 1);
        text->setSelection(0, from, to);
        QCOMPARE(box("txtGreat")->selectedText(), typed.mid(from, to - from));
        text->removeSelection(0);
        QVERIFY(!box("txtGreat")->hasSelectedText());
        text->addSelection(0, length);
        QCOMPARE(box("txtGreat")->selectedText(), typed);
        text->setCursorPosition(from);
        QCOMPARE(text->cursorPosition(), from);
        text->scrollToSubstring(0, length);
        QCOMPARE(text->cursorPosition(), 0);
        QCOMPARE(box("txtGreat")->text(), typed);
    }
};

// QTEST_MAIN, and "-scale N" for a screen at N times the scale: Wine passes no QT_ variable on to
// a Windows program, so QT_SCALE_FACTOR is set here.
int main(int argc, char* argv[])
{
    std::vector<char*> arguments(argv, argv + argc);
    if (const auto scale =
            std::find(arguments.begin(), arguments.end(), std::string_view("-scale"));
        scale != arguments.end() && scale + 1 != arguments.end()) {
        requestedScale = std::stod(*(scale + 1));
        qputenv("QT_SCALE_FACTOR", *(scale + 1));
        arguments.erase(scale, scale + 2);
    }
    int count = static_cast<int>(arguments.size());
    QApplication app(count, arguments.data());
    QTEST_SET_MAIN_SOURCE_PATH
    FrmTallyfenTest test;
    return QTest::qExec(&test, count, arguments.data());
}

#include "frmtallyfentest.moc"
