#include "resultannouncement.h"

#include <QAccessible>
#include <QWidget>

namespace tallyfen {

ResultAnnouncement::ResultAnnouncement(QWidget* window) : QObject(window)
{
    setObjectName(QStringLiteral("resultAnnouncement"));
}

void ResultAnnouncement::announce(const QString& text)
{
    m_text = text;
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

ResultAnnouncementAccessible::ResultAnnouncementAccessible(ResultAnnouncement* announcement)
    : QAccessibleObject(announcement)
{}

QAccessibleInterface* ResultAnnouncementAccessible::parent() const
{
    return QAccessible::queryAccessibleInterface(object()->parent());
}

QAccessibleInterface* ResultAnnouncementAccessible::child(int) const
{
    return nullptr;
}

int ResultAnnouncementAccessible::childCount() const
{
    return 0;
}

int ResultAnnouncementAccessible::indexOfChild(const QAccessibleInterface*) const
{
    return -1;
}

QString ResultAnnouncementAccessible::text(QAccessible::Text type) const
{
    if (type == QAccessible::Name)
        return static_cast<const ResultAnnouncement*>(object())->text();
    return {};
}

QAccessible::Role ResultAnnouncementAccessible::role() const
{
    return QAccessible::Notification;
}

QAccessible::State ResultAnnouncementAccessible::state() const
{
    return {};
}

// Spoken, not drawn: it takes no room in the window.
QRect ResultAnnouncementAccessible::rect() const
{
    return {};
}

} // namespace tallyfen
