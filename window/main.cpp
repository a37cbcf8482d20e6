#include "applicationicon.h"
#include "fonts.h"
#include "frmtallyfen.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tallyfen"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tallyfen"));
    QApplication::setApplicationVersion(QStringLiteral(TALLYFEN_DISPLAY_VERSION));
    QApplication::setOrganizationDomain(QStringLiteral("tallyfen.github.io"));
    QGuiApplication::setDesktopFileName(QStringLiteral(TALLYFEN_APP_ID));
    QApplication::setWindowIcon(tallyfen::applicationIcon());
    tallyfen::registerFontStandIns();

    tallyfen::frmTallyfen window;
    window.show();
    return app.exec();
}
