#include "messages.h"

#include "coretext.h"

#include <QTextBoundaryFinder>
#include <judgement.h>

namespace tallyfen {

namespace {

QString titleText()
{
    return QString::fromUtf16(applicationTitle);
}

// A box has no length limit; a pasted page would bury the message, so only its start is quoted,
// cut where a character ends (not inside an emoji or before an accent).
QString quotedStart(const QString& boxText)
{
    constexpr qsizetype shownLength = 20;
    const QString ellipsis = QStringLiteral("...");
    if (boxText.size() <= shownLength + ellipsis.size())
        return boxText;
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, boxText);
    characters.setPosition(shownLength);
    if (!characters.isAtBoundary())
        characters.toPreviousBoundary();
    return boxText.left(characters.position()) + ellipsis;
}

QString boxTextAtFault(const ScoringFailure& failure, const QString& boxText)
{
    const QString box = fromUtf8(judgementName(failure.box));
    if (boxText.trimmed().isEmpty())
        return QStringLiteral("the %1 box is empty").arg(box);
    return QStringLiteral("the %1 box holds \"%2\"").arg(box, quotedStart(boxText));
}

// What ran over, as the subject of "... too large to score".
QString overflowing(FailureCause cause)
{
    switch (cause) {
    case FailureCause::marvelousAndPerfect:
        return QStringLiteral("Marvelous and Perfect together are");
    case FailureCause::great:
        return QStringLiteral("the Great count is");
    case FailureCause::boo:
        return QStringLiteral("the Boo count is");
    case FailureCause::miss:
        return QStringLiteral("the Miss count is");
    case FailureCause::ok:
        return QStringLiteral("the OK count is");
    case FailureCause::stepCounts:
        return QStringLiteral("the six step counts together are");
    case FailureCause::maxOk:
        return QStringLiteral("the Max OK count is");
    case FailureCause::maxDpTotal:
        return QStringLiteral("the six step counts and Max OK together are");
    case FailureCause::boxText:
    case FailureCause::noMaxDp:
        break;
    }
    return {};
}

QString failureText(const ScoringFailure& failure, const QString& boxText)
{
    if (failure.cause == FailureCause::boxText) {
        if (failure.kind == FailureKind::typeMismatch)
            return QStringLiteral("Type mismatch: %1, which is not a number.")
                .arg(boxTextAtFault(failure, boxText));
        return QStringLiteral("Overflow: %1, which is outside the counts this calculator takes "
                              "(-32768 to 32767).")
            .arg(boxTextAtFault(failure, boxText));
    }
    if (failure.cause == FailureCause::noMaxDp) {
        if (failure.kind == FailureKind::divisionByZero)
            return QStringLiteral("Division by zero: Max DP is 0, so the dance points cannot be "
                                  "turned into a percentage.");
        return QStringLiteral("Overflow: Max DP is 0, so there is nothing to score. Type the "
                              "counts of your play first.");
    }
    return QStringLiteral("Overflow: %1 too large to score. DP and Max DP have to stay between "
                          "-32768 and 32767.")
        .arg(overflowing(failure.cause));
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

Message failureMessage(const ScoringFailure& failure, const QString& boxText)
{
    return {QMessageBox::Warning, titleText(), failureText(failure, boxText)};
}

} // namespace tallyfen
