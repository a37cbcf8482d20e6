#include "windowstate.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <array>
#include <calculation.h>
#include <clickablelabel.h>
#include <coretext.h>
#include <deque>
#include <frmTallyfen.h>
#include <memory>
#include <messagebox.h>
#include <messages.h>
#include <optional>
#include <random>

using tallyfen::fromUtf8;
using tallyfen::judgementCount;

// Replays seeded random player actions on the real window and checks, after every action and
// inside every event it causes, what must always hold. To replay a failure alone:
// TALLYFEN_SOAK_SEED=<seed> TALLYFEN_SOAK_LOCALE=<locale> [TALLYFEN_SOAK_ACTIONS=<n>] windowsoak
class WindowSoak : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void soak_data();
    void soak();

private:
    void observeWindow();
    void calculatePressed();
    void calculateClicked();
    void helpPressed();
    void helpClicked();
    void booClicked();
    void boxChanged(std::size_t box);
    void boxEdited(std::size_t box);
    void violated(const QString& what);

    QString performRandomAction(std::mt19937_64& random);
    QString typeText(const QString& text);
    QString pasteText(const QString& text);
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    QString randomText(std::mt19937_64& random, int minLength, int maxLength);
    std::optional<std::size_t> focusedBox() const;
    void predictInsertion(const QString& text);
    void predictBackspace();
    void predictSelectionRemoved();
    QString checkAfterAction();

    template <typename Widget> Widget* child(const char* name) const
    {
        return m_window->findChild<Widget*>(QLatin1String(name));
    }

    std::unique_ptr<frmTallyfen> m_window;
    std::array<QLineEdit*, judgementCount> m_boxes{};
    QList<QString> m_predictedTexts;
    std::vector<tallyfen::Message> m_messages;
    std::size_t m_explainedMessages = 0;
    std::optional<WindowState> m_stateAtPress;
    QString m_awardAtPress;
    int m_calculations = 0;
    int m_results = 0;
    // Changes of each box's text less the player's edits of it: 0 when the player made them all.
    std::array<int, judgementCount> m_unexplainedChanges{};
    QString m_firstViolation;
    WindowState m_initialState;
};

namespace {

const char* const boxNames[] = {"txtMarvelous", "txtPerfect", "txtGreat", "txtGood",
                                "txtBoo",       "txtMiss",    "txtOK",    "txtMaxOK"};
const char* const pictureNames[] = {"imgAAAA", "imgAAA", "imgAA", "imgA", "imgB", "imgC", "imgD"};

// Labels that events may write; every other caption stays as the window opened.
const QStringList changingLabels = {"lblDP",     "lblAward",     "lblNearlyGot", "lblMaxDP",
                                    "lblShowDP", "lblShowMaxDP", "lblBoo"};

// What a player may type: the parts of numbers in several locales, letters, blanks that are
// not ASCII, digits of other scripts, a combining accent and a character beyond 16 bits.
const QStringList typedCharacters = {
    "0",      "1",      "2",      "3",      "4",      "5",         "6",      "7",      "8",
    "9",      "0",      "1",      "5",      "9",      "+",         "-",      ".",      ",",
    " ",      "e",      "E",      "a",      "x",      "'",         "\u00A0", "\u202F", "\u0661",
    "\uFF11", "\u00E9", "\u0301", "\u65E5", "\u00BD", "\U0001F600"};

int uniform(std::mt19937_64& random, int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(random);
}

} // namespace

void WindowSoak::initTestCase()
{
    tallyfen::setMessageHandler(
        [this](QWidget*, const tallyfen::Message& message) { m_messages.push_back(message); });
}

void WindowSoak::cleanupTestCase()
{
    tallyfen::setMessageHandler({});
}

void WindowSoak::init()
{
    m_messages.clear();
    m_explainedMessages = 0;
    m_firstViolation.clear();
    m_unexplainedChanges.fill(0);
    m_calculations = 0;
    m_results = 0;
    m_stateAtPress.reset();
}

void WindowSoak::cleanup()
{
    m_window.reset();
    QLocale::setDefault(QLocale::c());
}

void WindowSoak::soak_data()
{
    QTest::addColumn<quint64>("seed");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("actions");

    const QByteArray replaySeed = qgetenv("TALLYFEN_SOAK_SEED");
    if (!replaySeed.isEmpty()) {
        const int actions = qEnvironmentVariableIsSet("TALLYFEN_SOAK_ACTIONS")
                                ? qEnvironmentVariableIntValue("TALLYFEN_SOAK_ACTIONS")
                                : 2'500;
        QTest::newRow("replay") << replaySeed.toULongLong()
                                << qEnvironmentVariable("TALLYFEN_SOAK_LOCALE", "en_US") << actions;
        return;
    }
    QTest::newRow("en_US seed 20261206") << quint64{20261206} << "en_US" << 2'500;
    QTest::newRow("de_DE seed 4711") << quint64{4711} << "de_DE" << 2'500;
    QTest::newRow("fr_FR seed 31337") << quint64{31337} << "fr_FR" << 2'500;
    QTest::newRow("en_US seed 1") << quint64{1} << "en_US" << 2'500;
}

void WindowSoak::soak()
{
    QFETCH(quint64, seed);
    QFETCH(QString, locale);
    QFETCH(int, actions);

    QLocale::setDefault(QLocale(locale));
    m_window = std::make_unique<frmTallyfen>();
    observeWindow();
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    m_initialState = captureState(*m_window);
    m_predictedTexts = m_initialState.boxTexts;

    std::mt19937_64 random(seed);
    std::deque<QString> recent;
    for (int action = 0; action < actions; ++action) {
        recent.push_back(performRandomAction(random));
        if (recent.size() > 12)
            recent.pop_front();
        QCoreApplication::processEvents();

        const QString problem = checkAfterAction();
        if (!problem.isEmpty()) {
            QString history;
            for (const QString& step : recent)
                history += QStringLiteral("\n  ") + step;
            QFAIL(qPrintable(QStringLiteral("seed %1 (%2), action %3: %4\nlast actions:%5")
                                 .arg(seed)
                                 .arg(locale)
                                 .arg(action)
                                 .arg(problem, history)));
        }
    }
    qInfo("%d calculations, %d of them with a result", m_calculations, m_results);
}

void WindowSoak::observeWindow()
{
    for (std::size_t box = 0; box < judgementCount; ++box) {
        m_boxes[box] = child<QLineEdit>(boxNames[box]);
        connect(m_boxes[box], &QLineEdit::textChanged, this, [this, box] { boxChanged(box); });
        connect(m_boxes[box], &QLineEdit::textEdited, this, [this, box] { boxEdited(box); });
    }
    auto* calculate = child<QPushButton>("cmdCalculate");
    connect(calculate, &QPushButton::pressed, this, &WindowSoak::calculatePressed);
    connect(calculate, &QPushButton::clicked, this, &WindowSoak::calculateClicked);
    auto* help = child<QPushButton>("cmdHelp");
    connect(help, &QPushButton::pressed, this, &WindowSoak::helpPressed);
    connect(help, &QPushButton::clicked, this, &WindowSoak::helpClicked);
    connect(child<ClickableLabel>("lblBoo"), &ClickableLabel::clicked, this,
            &WindowSoak::booClicked);
}

void WindowSoak::calculatePressed()
{
    m_stateAtPress = captureState(*m_window);
    m_awardAtPress = child<QLabel>("lblAward")->text();
}

// Runs after the window's own Calculate: the same texts through the scoring rules must give
// exactly what the window shows, and a failure must leave everything as it was.
void WindowSoak::calculateClicked()
{
    if (!m_stateAtPress)
        return violated(QStringLiteral("Calculate clicked without a press"));
    const WindowState before = *std::exchange(m_stateAtPress, std::nullopt);

    std::array<QString, judgementCount> boxTexts;
    std::copy_n(before.boxTexts.begin(), boxTexts.size(), boxTexts.begin());
    const tallyfen::Utf8BoxTexts texts(boxTexts);
    tallyfen::ScoreSheet sheet;
    const auto outcome = tallyfen::calculate(sheet, texts.views(), tallyfen::localeNumberFormat());

    ++m_calculations;
    const auto* result = std::get_if<tallyfen::DanceResult>(&outcome);
    m_results += result ? 1 : 0;
    if (!result) {
        if (m_messages.size() != m_explainedMessages + 1)
            return violated(QStringLiteral("a failed Calculate did not show one message"));
        ++m_explainedMessages;
        if (captureState(*m_window) != before)
            violated(QStringLiteral("a failed Calculate changed the window"));
        return;
    }
    if (m_messages.size() != m_explainedMessages)
        return violated(QStringLiteral("a successful Calculate showed a message"));

    const auto caption = [this](const char* name) { return child<QLabel>(name)->text(); };
    // Without an award the label keeps what it showed.
    const QString award = result->award ? fromUtf8(*result->award) : m_awardAtPress;
    const bool labelsRight = caption("lblDP") == fromUtf8(result->percentText) &&
                             caption("lblNearlyGot") == fromUtf8(result->nextGrade) &&
                             caption("lblMaxDP") == fromUtf8(result->distance) &&
                             caption("lblAward") == award &&
                             caption("lblShowDP") == QString::number(result->dp) &&
                             caption("lblShowMaxDP") == QString::number(result->maxDp);
    if (!labelsRight)
        return violated(QStringLiteral("Calculate wrote labels other than the result's"));
    for (std::size_t grade = 0; grade < std::size(pictureNames); ++grade) {
        const bool expected = result->grade && static_cast<std::size_t>(*result->grade) == grade;
        if (child<QLabel>(pictureNames[grade])->isHidden() == expected)
            return violated(QStringLiteral("Calculate showed the wrong grade picture"));
    }
}

void WindowSoak::helpPressed()
{
    m_stateAtPress = captureState(*m_window);
}

void WindowSoak::helpClicked()
{
    const WindowState before = m_stateAtPress.value_or(WindowState{});
    m_stateAtPress.reset();
    if (m_messages.size() != m_explainedMessages + 1 ||
        !(m_messages.back() == tallyfen::helpMessage()))
        return violated(QStringLiteral("\"?\" did not show the help message once"));
    ++m_explainedMessages;
    if (captureState(*m_window) != before)
        violated(QStringLiteral("the help message changed the window"));
}

void WindowSoak::booClicked()
{
    if (child<QLabel>("lblBoo")->text() != QLatin1String("Uber"))
        violated(QStringLiteral("clicking Boo did not write Uber"));
}

// Runs after the window's reset: whatever changed a box, the result is gone.
void WindowSoak::boxChanged(std::size_t box)
{
    ++m_unexplainedChanges[box];
    for (const char* name : pictureNames)
        if (!child<QLabel>(name)->isHidden())
            violated(QStringLiteral("a grade picture stayed after an edit"));
    if (!child<QLabel>("lblDP")->text().isEmpty() || !child<QLabel>("lblAward")->text().isEmpty())
        violated(QStringLiteral("the percentage or award stayed after an edit"));
}

void WindowSoak::boxEdited(std::size_t box)
{
    --m_unexplainedChanges[box];
}

void WindowSoak::violated(const QString& what)
{
    if (m_firstViolation.isEmpty())
        m_firstViolation = what;
}

QString WindowSoak::checkAfterAction()
{
    if (!m_firstViolation.isEmpty())
        return m_firstViolation;
    for (int& changes : m_unexplainedChanges)
        if (std::exchange(changes, 0) != 0)
            return QStringLiteral("a box changed without the player typing");
    if (m_messages.size() != m_explainedMessages)
        return QStringLiteral("a message appeared that no button asked for");

    const WindowState now = captureState(*m_window);
    if (now.picturesShown.count(true) > 1)
        return QStringLiteral("more than one grade picture shown");
    const QString boo = child<QLabel>("lblBoo")->text();
    if (boo != QLatin1String("Boo") && boo != QLatin1String("Uber"))
        return QStringLiteral("the Boo caption reads \"%1\"").arg(boo);
    const QList<QLabel*> labels = m_window->findChildren<QLabel*>();
    qsizetype captionIndex = 0;
    for (const QLabel* label : labels) {
        if (label->objectName().startsWith(QLatin1String("img")))
            continue;
        if (!changingLabels.contains(label->objectName()) &&
            now.labelTexts[captionIndex] != m_initialState.labelTexts[captionIndex])
            return QStringLiteral("the fixed caption of %1 changed").arg(label->objectName());
        ++captionIndex;
    }
    for (std::size_t box = 0; box < judgementCount; ++box) {
        const auto index = static_cast<qsizetype>(box);
        if (now.boxTexts[index] != m_predictedTexts[index])
            return QStringLiteral("%1 holds \"%2\", the player typed \"%3\"")
                .arg(QLatin1String(boxNames[box]), now.boxTexts[index].left(80),
                     m_predictedTexts[index].left(80));
    }
    return {};
}

std::optional<std::size_t> WindowSoak::focusedBox() const
{
    for (std::size_t box = 0; box < judgementCount; ++box)
        if (m_boxes[box] == QApplication::focusWidget())
            return box;
    return std::nullopt;
}

// The focused box's text once the text replaces its selection or goes in at the cursor, as far
// as the box's length limit lets it.
void WindowSoak::predictInsertion(const QString& text)
{
    const std::optional<std::size_t> box = focusedBox();
    if (!box)
        return;
    const QLineEdit* edit = m_boxes[*box];
    QString predicted = edit->text();
    qsizetype at = edit->cursorPosition();
    if (edit->hasSelectedText()) {
        at = edit->selectionStart();
        predicted.remove(at, edit->selectionLength());
    }
    predicted.insert(at, text.left(edit->maxLength() - predicted.size()));
    m_predictedTexts[static_cast<qsizetype>(*box)] = predicted;
}

void WindowSoak::predictBackspace()
{
    const std::optional<std::size_t> box = focusedBox();
    if (!box)
        return;
    const QLineEdit* edit = m_boxes[*box];
    if (edit->hasSelectedText())
        return predictSelectionRemoved();
    QString predicted = edit->text();
    const qsizetype at = edit->cursorPosition();
    if (at == 0)
        return;
    const bool pair =
        at >= 2 && predicted[at - 1].isLowSurrogate() && predicted[at - 2].isHighSurrogate();
    predicted.remove(at - (pair ? 2 : 1), pair ? 2 : 1);
    m_predictedTexts[static_cast<qsizetype>(*box)] = predicted;
}

void WindowSoak::predictSelectionRemoved()
{
    const std::optional<std::size_t> box = focusedBox();
    if (!box)
        return;
    const QLineEdit* edit = m_boxes[*box];
    if (!edit->hasSelectedText())
        return;
    m_predictedTexts[static_cast<qsizetype>(*box)] =
        edit->text().remove(edit->selectionStart(), edit->selectionLength());
}

void WindowSoak::press(int key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
}

QString WindowSoak::typeText(const QString& text)
{
    // Character by character: a Space may press a button that moves the focus to a box.
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size();
        const QString character = text.mid(i, pair ? 2 : 1);
        i += pair ? 1 : 0;
        predictInsertion(character);
        const char16_t unit = character[0].unicode();
        // ASCII keys carry their own key code (Space presses a focused button); others only text.
        const int key = unit < 0x80 ? int{QChar(unit).toUpper().unicode()} : int{Qt::Key_unknown};
        QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), static_cast<Qt::Key>(key),
                            character, Qt::NoModifier);
    }
    return QStringLiteral("type \"%1\"").arg(text.left(40));
}

QString WindowSoak::pasteText(const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
    predictInsertion(text);
    press(Qt::Key_V, Qt::ControlModifier);
    return QStringLiteral("paste %1 characters \"%2\"").arg(text.size()).arg(text.left(40));
}

QString WindowSoak::randomText(std::mt19937_64& random, int minLength, int maxLength)
{
    const int length = uniform(random, minLength, maxLength);
    QString text;
    text.reserve(length);
    const int last = static_cast<int>(typedCharacters.size()) - 1;
    for (int i = 0; i < length; ++i)
        text += typedCharacters[uniform(random, 0, last)];
    return text;
}

QString WindowSoak::performRandomAction(std::mt19937_64& random)
{
    const int roll = uniform(random, 0, 999);
    if (roll < 150) {
        press(Qt::Key_A, Qt::ControlModifier);
        return typeText(QString::number(uniform(random, 0, roll < 20 ? 20000 : 120)));
    }
    if (roll < 300)
        return typeText(randomText(random, 1, 6));
    if (roll < 340)
        return typeText(randomText(random, 7, 60));
    if (roll < 390)
        return pasteText(randomText(random, 0, 12));
    if (roll < 395)
        return pasteText(
            QString(uniform(random, 1'000, 40'000), QChar(u'0' + uniform(random, 0, 9))));
    if (roll < 495) {
        predictBackspace();
        press(Qt::Key_Backspace);
        return QStringLiteral("Backspace");
    }
    if (roll < 535) {
        press(Qt::Key_A, Qt::ControlModifier);
        return QStringLiteral("Ctrl+A");
    }
    if (roll < 585) {
        press(Qt::Key_A, Qt::ControlModifier);
        predictSelectionRemoved();
        press(Qt::Key_Delete);
        return QStringLiteral("Ctrl+A, Delete");
    }
    if (roll < 605) {
        predictSelectionRemoved();
        press(Qt::Key_X, Qt::ControlModifier);
        return QStringLiteral("Ctrl+X");
    }
    if (roll < 635) {
        const bool home = uniform(random, 0, 1) == 0;
        press(home ? Qt::Key_Home : Qt::Key_End);
        return home ? QStringLiteral("Home") : QStringLiteral("End");
    }
    if (roll < 715) {
        QLineEdit* box = m_boxes[static_cast<std::size_t>(uniform(random, 0, judgementCount - 1))];
        const QPoint at(uniform(random, 1, box->width() - 2), box->height() / 2);
        QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, at);
        return QStringLiteral("click %1 at x %2").arg(box->objectName()).arg(at.x());
    }
    if (roll < 765) {
        press(Qt::Key_Tab);
        return QStringLiteral("Tab");
    }
    if (roll < 795) {
        press(Qt::Key_Backtab, Qt::ShiftModifier);
        return QStringLiteral("Shift+Tab");
    }
    if (roll < 825) {
        press(Qt::Key_Return);
        return QStringLiteral("Enter");
    }
    if (roll < 835) {
        press(Qt::Key_Escape);
        return QStringLiteral("Esc");
    }
    if (roll < 955) {
        QTest::mouseClick(child<QPushButton>("cmdCalculate"), Qt::LeftButton);
        return QStringLiteral("click Calculate");
    }
    if (roll < 975) {
        QTest::mouseClick(child<QPushButton>("cmdHelp"), Qt::LeftButton);
        return QStringLiteral("click ?");
    }
    auto* boo = child<QLabel>("lblBoo");
    QTest::mouseClick(
        boo, Qt::LeftButton, Qt::NoModifier,
        QPoint(uniform(random, 0, boo->width() - 1), uniform(random, 0, boo->height() - 1)));
    return QStringLiteral("click Boo");
}

QTEST_MAIN(WindowSoak)
#include "windowsoak.moc"
