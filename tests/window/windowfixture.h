#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <messagebox.h>

class QLabel;
class QLineEdit;
class QPushButton;
class frmTallyfen;

// What a player can see of the window: every box and label text and which pictures show.
struct WindowState
{
    QStringList texts;
    QStringList visiblePictures;

    friend bool operator==(const WindowState&, const WindowState&) = default;
};

// A fresh calculator window per test. Messages are answered by the fixture and recorded; a
// watchdog closes any real modal box that slips past the hook, and the test then fails.
class WindowFixture
{
public:
    static const QStringList countBoxNames;
    static const QStringList pictureNames;
    static const QStringList labelNames;

    WindowFixture();
    ~WindowFixture();

    QWidget* window() const;
    QLineEdit* box(const QString& name) const;
    QLabel* label(const QString& name) const;
    QPushButton* button(const QString& name) const;

    // Replaces the text of a box as a player would: select all, then type (or delete).
    void typeInto(const QString& boxName, const QString& text) const;
    // The eight counts in box order: Marvelous, Perfect, Great, Good, Boo, Miss, OK, Max OK.
    void typeCounts(const QStringList& texts) const;
    void pressCalculate() const;
    void pressHelp() const;

    QStringList visiblePictures() const;
    WindowState state() const;

    const QList<tallyfen::Message>& messages() const { return m_messages; }
    QString unexpectedModal() const { return m_unexpectedModal; }

private:
    std::unique_ptr<frmTallyfen> m_window;
    QList<tallyfen::Message> m_messages;
    QTimer m_watchdog;
    QString m_unexpectedModal;
};

// The typical play: Marvelous 90, Great 10, OK 3, Max OK 4.
inline const QStringList typicalCounts{"90", "0", "10", "0", "0", "0", "3", "4"};
