#pragma once

#include <QAccessibleObject>
#include <QObject>
#include <QString>

class QWidget;

namespace tallyfen {

// What a screen reader speaks when Calculate is pressed, without moving the focus. Qt 6.4 has no
// announcement event; Orca 43 speaks a notification the moment it is shown, so the result is an
// accessible notification of the window, shown anew with each result. It draws nothing.
class ResultAnnouncement : public QObject
{
    Q_OBJECT

public:
    explicit ResultAnnouncement(QWidget* window);

    void announce(const QString& text);
    const QString& text() const { return m_text; }

private:
    QString m_text;
};

class ResultAnnouncementAccessible : public QAccessibleObject
{
public:
    explicit ResultAnnouncementAccessible(ResultAnnouncement* announcement);

    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QString text(QAccessible::Text type) const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QRect rect() const override;
};

} // namespace tallyfen
