#include "applicationicon.h"

namespace tallyfen {

QIcon applicationIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icon/tallyfen-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace tallyfen
