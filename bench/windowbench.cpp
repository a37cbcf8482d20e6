// The window's speed as a player feels it: a Calculate press from the click to the last label
// written, and the reset that an edit runs. The real window, offscreen, driven with Qt Test.
#include "../tests/window/windowcontrols.h"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <array>
#include <benchmark/benchmark.h>
#include <chrono>
#include <frmtallyfen.h>
#include <messagebox.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// When the stand-in for the message box was last asked to show a message.
Clock::time_point lastMessageAt;

void startApplication()
{
    static int argc = 1;
    static char name[] = "tallyfen-bench-window";
    static char* argv[] = {name, nullptr};
    static const QApplication* application = [] {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QLocale::setDefault(QLocale::c());
        tallyfen::setMessageHandler(
            [](QWidget*, const tallyfen::Message&) { lastMessageAt = Clock::now(); });
        return new QApplication(argc, argv);
    }();
    (void)application;
}

struct ShownWindow
{
    tallyfen::frmTallyfen window;

    explicit ShownWindow(const std::array<QString, 8>& texts)
    {
        for (std::size_t i = 0; i < texts.size(); ++i)
            box(i)->setText(texts[i]);
        window.show();
        (void)QTest::qWaitForWindowExposed(&window);
        QCoreApplication::processEvents();
    }
    QLineEdit* box(std::size_t i)
    {
        return window.findChild<QLineEdit*>(windowcontrols::countBoxes[qsizetype(i)]);
    }
    QPushButton* calculate() { return window.findChild<QPushButton*>("cmdCalculate"); }
};

// Times each iteration by hand and reports the median beside Google Benchmark's mean.
template <typename Untimed, typename Timed>
void timeEach(benchmark::State& state, Untimed&& prepare, Timed&& measured)
{
    std::vector<double> seconds;
    for (auto _ : state) {
        prepare();
        const Clock::time_point start = Clock::now();
        measured();
        const std::chrono::duration<double> took = Clock::now() - start;
        state.SetIterationTime(took.count());
        seconds.push_back(took.count());
        QCoreApplication::processEvents(); // paints, outside the timed part
    }
    std::nth_element(seconds.begin(), seconds.begin() + std::ssize(seconds) / 2, seconds.end());
    state.counters["median_us"] = seconds[seconds.size() / 2] * 1e6;
}

const std::array<QString, 8> typicalPlay{"90", "0", "10", "0", "0", "0", "3", "4"};

void calculatePress(benchmark::State& state, const std::array<QString, 8>& texts)
{
    startApplication();
    ShownWindow shown(texts);
    std::vector<double> toMessage;
    timeEach(
        state, [] {},
        [&] {
            const Clock::time_point start = Clock::now();
            lastMessageAt = {};
            QTest::mouseClick(shown.calculate(), Qt::LeftButton);
            if (lastMessageAt != Clock::time_point{})
                toMessage.push_back(std::chrono::duration<double>(lastMessageAt - start).count());
        });
    // A failure: how long the player waits for the message, before focus returns to the box.
    if (!toMessage.empty()) {
        std::nth_element(toMessage.begin(), toMessage.begin() + std::ssize(toMessage) / 2,
                         toMessage.end());
        state.counters["to_message_us"] = toMessage[toMessage.size() / 2] * 1e6;
    }
}
BENCHMARK_CAPTURE(calculatePress, typicalPlay, typicalPlay)->UseManualTime();
BENCHMARK_CAPTURE(calculatePress, typeMismatch,
                  std::array<QString, 8>{"90", "0", "abc", "0", "0", "0", "3", "4"})
    ->UseManualTime();
// A megabyte pasted into a box (an overflow): how promptly the failure is reported.
BENCHMARK_CAPTURE(calculatePress, megabyteBox,
                  std::array<QString, 8>{QString(1 << 20, u'1'), "0", "0", "0", "0", "0", "0", "0"})
    ->UseManualTime();

// One typed character that clears a shown result: from the key to the reset done.
void editReset(benchmark::State& state)
{
    startApplication();
    ShownWindow shown(typicalPlay);
    QLineEdit* great = shown.box(2);
    great->setFocus();
    great->end(false);
    bool typeDigit = true;
    timeEach(
        state, [&] { QTest::mouseClick(shown.calculate(), Qt::LeftButton); },
        [&] {
            QTest::keyClick(great, typeDigit ? Qt::Key_0 : Qt::Key_Backspace);
            typeDigit = !typeDigit;
        });
}
BENCHMARK(editReset)->UseManualTime();

} // namespace
