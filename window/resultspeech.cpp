#include "resultspeech.h"

#include "coretext.h"

#include <QStringList>

namespace tallyfen {

QString spokenResult(const DanceResult& result)
{
    QStringList parts{QStringLiteral("%1 percent").arg(fromUtf8(result.percentText))};
    parts += result.grade ? QStringLiteral("grade %1").arg(fromUtf8(gradeName(*result.grade)))
                          : QStringLiteral("no grade");
    if (!result.nextGrade.empty())
        parts += QStringLiteral("%1 away from %2")
                     .arg(fromUtf8(result.distance), fromUtf8(result.nextGrade));
    if (result.award)
        parts += fromUtf8(*result.award);
    parts += QStringLiteral("%1 of %2 dance points")
                 .arg(fromUtf8(countToText(result.dp)), fromUtf8(countToText(result.maxDp)));
    return parts.join(QStringLiteral(", "));
}

} // namespace tallyfen
