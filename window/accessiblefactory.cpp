#include "accessiblefactory.h"

#include "countbox.h"
#include "countboxaccessible.h"
#include "frmtallyfen.h"
#include "resultannouncement.h"

#include <QAccessible>

namespace tallyfen {

namespace {

QAccessibleInterface* accessibleInterface(const QString& className, QObject* object)
{
    if (className == QLatin1String(frmTallyfen::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    if (className == QLatin1String(CountBox::staticMetaObject.className()))
        return new CountBoxAccessible(static_cast<CountBox*>(object));
    if (className == QLatin1String(ResultAnnouncement::staticMetaObject.className()))
        return new ResultAnnouncementAccessible(static_cast<ResultAnnouncement*>(object));
    return nullptr;
}

} // namespace

void installAccessibleFactory()
{
    QAccessible::installFactory(accessibleInterface);
}

} // namespace tallyfen
