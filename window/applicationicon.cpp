#include "applicationicon.h"

namespace tallyfen {

QIcon applicationIcon()
{
    // Every size is decoded at start-up, so only those a window's frame and task switcher use;
    // the desktop takes larger ones from the installed icon theme.
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addFile(QStringLiteral(":/icon/tallyfen-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace tallyfen
