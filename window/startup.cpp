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
    // In a web page the page is the window's frame: there the window has none of its own, and so
    // no close button, which would end the program and leave the page with its last picture.
    if (QGuiApplication::platformName() == QLatin1String("wasm"))
        window->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    // In the middle of the screen and in its normal state, which a desktop may choose anyway: a web
    // page has no window manager to place it, and would otherwise show it full screen, with the
    // controls below the form's visible area.
    window->move(window->screen()->availableGeometry().center() - window->rect().center());
    window->showNormal();
    return window;
}

} // namespace tallyfen
