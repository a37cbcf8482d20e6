#include "startup.h"

#include "accessiblefactory.h"
#include "applicationicon.h"
#include "fonts.h"
#include "frmtallyfen.h"

#include <QApplication>

namespace tallyfen {

std::unique_ptr<frmTallyfen> startUp()
{
    QApplication::setApplicationName(QStringLiteral("Tallyfen"));
    QApplication::setApplicationVersion(QStringLiteral(TALLYFEN_DISPLAY_VERSION));
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(TALLYFEN_APP_ID));
    QApplication::setWindowIcon(applicationIcon());
    registerFontStandIns();
    installAccessibleFactory();

    auto window = std::make_unique<frmTallyfen>();
    window->show();
    return window;
}

} // namespace tallyfen
