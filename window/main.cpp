#include "applicationicon.h"
#include "fonts.h"
#include "frmTallyfen.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tallyfen"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tallyfen"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    QApplication::setOrganizationDomain(QStringLiteral("tallyfen.github.io"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.tallyfen.Tallyfen"));
    QApplication::setWindowIcon(tallyfen::applicationIcon());
    tallyfen::registerFontStandIns();

    frmTallyfen window;
    window.show();
    return app.exec();
}
