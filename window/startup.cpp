#include "startup.h"

#include "accessiblefactory.h"
#include "applicationicon.h"
#include "fonts.h"
#include "frmtallyfen.h"

#include <QApplication>
#include <QScreen>

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
    // In the middle of the screen and in its normal state, whatever a desktop would choose.
    window->move(window->screen()->availableGeometry().center() - window->rect().center());
    window->showNormal();
    return window;
}

} // namespace tallyfen
