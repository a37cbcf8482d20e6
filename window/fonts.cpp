#include "fonts.h"

#include <QFont>
#include <QStringList>

namespace tallyfen {

// Adding a substitute that is already listed changes nothing, so this may run more than once.
void registerFontStandIns()
{
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    // Tight line spacing: two wrapped award lines must fit the 41-pixel award label.
    QFont::insertSubstitutions(QStringLiteral("Serifa BT"),
                               {QStringLiteral("Tribun ADF Std"), QStringLiteral("DejaVu Serif")});
    QFont::insertSubstitutions(QStringLiteral("Comic Sans MS"),
                               {QStringLiteral("Comic Neue"), QStringLiteral("DejaVu Sans")});
}

} // namespace tallyfen
