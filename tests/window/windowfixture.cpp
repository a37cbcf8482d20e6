#include "windowfixture.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <fonts.h>
#include <frmTallyfen.h>

const QStringList WindowFixture::countBoxNames{
    "txtMarvelous", "txtPerfect", "txtGreat", "txtGood", "txtBoo", "txtMiss", "txtOK", "txtMaxOK"};
const QStringList WindowFixture::pictureNames{"imgAAAA", "imgAAA", "imgAA", "imgA",
                                              "imgB",    "imgC",   "imgD"};
const QStringList WindowFixture::labelNames{
    "lblAward",     "lblAwards", "Label2",       "Label1",     "lblShowDP",
    "lblShowMaxDP", "lblMaxDP",  "lblNearlyGot", "lblAway",    "lblTitle",
    "lblTotalDP",   "lblDP",     "lblMarvelous", "lblPerfect", "lblGreat",
    "lblGood",      "lblBoo",    "lblMiss",      "lblOK",      "lblMaxOK"};

WindowFixture::WindowFixture()
{
    tallyfen::registerFontStandIns();
    tallyfen::setMessageHandler(
        [this](QWidget*, const tallyfen::Message& message) { m_messages.append(message); });

    m_watchdog.setInterval(50);
    QObject::connect(&m_watchdog, &QTimer::timeout, [this] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            m_unexpectedModal = modal->windowTitle() + QStringLiteral(" (a real modal box)");
            modal->close();
        }
    });
    m_watchdog.start();

    m_window = std::make_unique<frmTallyfen>();
    m_window->show();
    if (!QTest::qWaitForWindowActive(m_window.get()))
        qWarning("the calculator window did not become active");
}

WindowFixture::~WindowFixture()
{
    m_window.reset();
    tallyfen::setMessageHandler({});
}

QWidget* WindowFixture::window() const
{
    return m_window.get();
}

QLineEdit* WindowFixture::box(const QString& name) const
{
    return m_window->findChild<QLineEdit*>(name);
}

QLabel* WindowFixture::label(const QString& name) const
{
    return m_window->findChild<QLabel*>(name);
}

QPushButton* WindowFixture::button(const QString& name) const
{
    return m_window->findChild<QPushButton*>(name);
}

void WindowFixture::typeInto(const QString& boxName, const QString& text) const
{
    QLineEdit* target = box(boxName);
    target->setFocus();
    QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(target, Qt::Key_Delete);
    else
        QTest::keyClicks(target, text);
}

void WindowFixture::typeCounts(const QStringList& texts) const
{
    for (qsizetype i = 0; i < countBoxNames.size(); ++i)
        typeInto(countBoxNames[i], texts.value(i));
}

void WindowFixture::pressCalculate() const
{
    QTest::mouseClick(button("cmdCalculate"), Qt::LeftButton);
}

void WindowFixture::pressHelp() const
{
    QTest::mouseClick(button("cmdHelp"), Qt::LeftButton);
}

QStringList WindowFixture::visiblePictures() const
{
    QStringList visible;
    for (const QString& name : pictureNames)
        if (label(name)->isVisible())
            visible.append(name);
    return visible;
}

WindowState WindowFixture::state() const
{
    WindowState seen;
    for (const QString& name : countBoxNames)
        seen.texts.append(name + '=' + box(name)->text());
    for (const QString& name : labelNames)
        seen.texts.append(name + '=' + label(name)->text());
    seen.visiblePictures = visiblePictures();
    return seen;
}
