#include "fonts.h"

#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace tallyfen {

namespace {

// The stand-in faces a build carries in its resources: the Windows build does, since Windows has
// none of them; elsewhere they come from the system's font packages and there are none here.
// Once per run: the font database would keep every copy it is given.
void registerCarriedFaces()
{
    static const bool registered = [] {
        const QDir faces(QStringLiteral(":/faces"));
        for (const QString& face : faces.entryList(QDir::Files))
            QFontDatabase::addApplicationFont(faces.filePath(face));
        return true;
    }();
    Q_UNUSED(registered);
}

} // namespace

// Adding a substitute that is already listed changes nothing, so this may run more than once.
void registerFontStandIns()
{
    registerCarriedFaces();
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    // Tight line spacing: two wrapped award lines must fit the 41-pixel award label.
    QFont::insertSubstitutions(QStringLiteral("Serifa BT"),
                               {QStringLiteral("Tribun ADF Std"), QStringLiteral("DejaVu Serif")});
    QFont::insertSubstitutions(QStringLiteral("Comic Sans MS"),
                               {QStringLiteral("Comic Neue"), QStringLiteral("DejaVu Sans")});
}

} // namespace tallyfen
