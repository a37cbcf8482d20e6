#include "messages.h"

#include "coretext.h"

#include <judgement.h>

namespace tallyfen {

namespace {

QString titleText()
{
    return QString::fromUtf16(applicationTitle);
}

QString boxName(Judgement box)
{
    return fromUtf8(judgementName(box));
}

// A box has no length limit; a pasted page would bury the message, so only its start is quoted.
QString quotedStart(const QString& boxText)
{
    constexpr qsizetype shownLength = 20;
    const QString ellipsis = QStringLiteral("...");
    if (boxText.size() <= shownLength + ellipsis.size())
        return boxText;
    return boxText.left(shownLength) + ellipsis;
}

QString boxAtFault(Judgement box, const QString& boxText)
{
    if (boxText.trimmed().isEmpty())
        return QStringLiteral("the %1 box is empty").arg(boxName(box));
    return QStringLiteral("the %1 box holds \"%2\"").arg(boxName(box), quotedStart(boxText));
}

QString failureText(const ScoringFailure& failure, const QString& boxText, bool noMaxDp)
{
    switch (failure.kind) {
    case FailureKind::typeMismatch:
        if (failure.box)
            return QStringLiteral("Type mismatch: %1, which is not a number.")
                .arg(boxAtFault(*failure.box, boxText));
        return QStringLiteral("Type mismatch: a count is not a number.");
    case FailureKind::overflow:
        if (failure.box)
            return QStringLiteral("Overflow: %1, which is outside the counts this calculator "
                                  "takes (-32768 to 32767).")
                .arg(boxAtFault(*failure.box, boxText));
        if (noMaxDp)
            return QStringLiteral("Overflow: Max DP is 0, so there is nothing to score. Type "
                                  "the counts of your play first.");
        return QStringLiteral("Overflow: these counts are too large to score. A dance-point "
                              "total has to stay between -32768 and 32767.");
    case FailureKind::divisionByZero:
        return QStringLiteral("Division by zero: Max DP is 0, so the dance points cannot be "
                              "turned into a percentage.");
    }
    return {};
}

} // namespace

Message helpMessage()
{
    return {QMessageBox::NoIcon, titleText(),
            QStringLiteral(
                "Insert the score you have gotten into the text boxes and hit calculate. This "
                "will calculate the Dance Points, the determining factors for which grade you "
                "recieve on a song. By seeing this you can tell by just how much you got your "
                "grade or missed the one you were going for. A marvelous or a perfect is worth 2 "
                "DP, Greats are worth 1, Goods are worth 0, Boos take away 4, Misses take away 8 "
                "and an OK is worth 6.")};
}

Message failureMessage(const ScoringFailure& failure, const QString& boxText, bool noMaxDp)
{
    return {QMessageBox::Warning, titleText(), failureText(failure, boxText, noMaxDp)};
}

} // namespace tallyfen
