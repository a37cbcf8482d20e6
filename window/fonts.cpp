#include "fonts.h"

#include <QFont>
#include <QStringList>

namespace tallyfen {

void registerFontStandIns()
{
    static const bool registered = [] {
        QFont::insertSubstitutions(
            QStringLiteral("MS Sans Serif"),
            {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
        // Tight line spacing: two wrapped award lines must fit the 41-pixel award label.
        QFont::insertSubstitutions(QStringLiteral("Serifa BT"), {QStringLiteral("Tribun ADF Std"),
                                                                 QStringLiteral("DejaVu Serif")});
        QFont::insertSubstitutions(QStringLiteral("Comic Sans MS"),
                                   {QStringLiteral("Comic Neue"), QStringLiteral("DejaVu Sans")});
        return true;
    }();
    (void)registered;
}

} // namespace tallyfen
