#include "frmTallyfen.h"

#include "coretext.h"
#include "messagebox.h"
#include "messages.h"
#include "ui_frmTallyfen.h"

#include <array>
#include <percent.h>

using tallyfen::fromUtf8;
using tallyfen::Grade;
using tallyfen::Judgement;

frmTallyfen::frmTallyfen(QWidget* parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::frmTallyfen>())
{
    m_ui->setupUi(this);

    connect(m_ui->cmdCalculate, &QPushButton::clicked, this, &frmTallyfen::cmdCalculate_Click);
    connect(m_ui->cmdHelp, &QPushButton::clicked, this, &frmTallyfen::cmdHelp_Click);
    connect(m_ui->lblBoo, &ClickableLabel::clicked, this, &frmTallyfen::lblBoo_Click);
    connect(m_ui->txtMarvelous, &QLineEdit::textChanged, this, &frmTallyfen::txtMarvelous_Change);
    connect(m_ui->txtPerfect, &QLineEdit::textChanged, this, &frmTallyfen::txtPerfect_Change);
    connect(m_ui->txtGreat, &QLineEdit::textChanged, this, &frmTallyfen::txtGreat_Change);
    connect(m_ui->txtGood, &QLineEdit::textChanged, this, &frmTallyfen::txtGood_Change);
    connect(m_ui->txtBoo, &QLineEdit::textChanged, this, &frmTallyfen::txtBoo_Change);
    connect(m_ui->txtMiss, &QLineEdit::textChanged, this, &frmTallyfen::txtMiss_Change);
    connect(m_ui->txtOK, &QLineEdit::textChanged, this, &frmTallyfen::txtOK_Change);
    connect(m_ui->txtMaxOK, &QLineEdit::textChanged, this, &frmTallyfen::txtMaxOK_Change);

    m_ui->txtMarvelous->setFocus();
}

frmTallyfen::~frmTallyfen() = default;

void frmTallyfen::cmdCalculate_Click()
{
    std::array<QString, tallyfen::judgementCount> texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = countBox(tallyfen::allJudgements[i])->text();
    const tallyfen::Utf8BoxTexts boxTexts(texts);

    const tallyfen::CalculationOutcome outcome =
        tallyfen::calculate(m_scoreSheet, boxTexts.views(), tallyfen::localeNumberFormat());
    if (const auto* result = std::get_if<tallyfen::DanceResult>(&outcome))
        showDanceResult(*result);
    else
        reportFailure(std::get<tallyfen::ScoringFailure>(outcome));
}

void frmTallyfen::cmdHelp_Click()
{
    tallyfen::showMessage(this, tallyfen::helpMessage());
}

void frmTallyfen::lblBoo_Click()
{
    m_ui->lblBoo->setText(QStringLiteral("Uber"));
}

void frmTallyfen::txtMarvelous_Change()
{
    clearResult();
}

void frmTallyfen::txtPerfect_Change()
{
    clearResult();
}

void frmTallyfen::txtGreat_Change()
{
    clearResult();
}

void frmTallyfen::txtGood_Change()
{
    clearResult();
}

void frmTallyfen::txtBoo_Change()
{
    clearResult();
}

void frmTallyfen::txtMiss_Change()
{
    clearResult();
}

void frmTallyfen::txtOK_Change()
{
    clearResult();
}

void frmTallyfen::txtMaxOK_Change()
{
    clearResult();
}

// The only code that hides a grade picture: a new result never shares the picture area with an
// old one.
void frmTallyfen::clearResult()
{
    m_ui->lblDP->setText(QString());
    for (const tallyfen::GradeBand& band : tallyfen::gradeBands())
        gradePicture(band.grade)->setVisible(false);
    m_ui->lblAward->setText(QString());
}

void frmTallyfen::showDanceResult(const tallyfen::DanceResult& result)
{
    m_ui->lblDP->setText(fromUtf8(result.percentText));
    if (result.grade)
        gradePicture(*result.grade)->setVisible(true);
    m_ui->lblNearlyGot->setText(fromUtf8(result.nextGrade));
    m_ui->lblMaxDP->setText(fromUtf8(result.distance));
    if (result.award)
        m_ui->lblAward->setText(fromUtf8(*result.award));
    m_ui->lblShowDP->setText(fromUtf8(tallyfen::countToText(result.dp)));
    m_ui->lblShowMaxDP->setText(fromUtf8(tallyfen::countToText(result.maxDp)));
}

void frmTallyfen::reportFailure(const tallyfen::ScoringFailure& failure)
{
    // A failure in the totals has no box of its own; the first box is where a player starts over.
    QLineEdit* boxAtFault = countBox(failure.box.value_or(Judgement::marvelous));
    // Every count was read when no box is at fault, so the sheet tells whether Max DP was 0.
    const bool noMaxDp = !failure.box && tallyfen::maxDancePoints(m_scoreSheet) == 0;

    tallyfen::showMessage(
        this,
        tallyfen::failureMessage(failure, failure.box ? boxAtFault->text() : QString(), noMaxDp));

    boxAtFault->setFocus(Qt::OtherFocusReason);
    boxAtFault->selectAll();
}

QLineEdit* frmTallyfen::countBox(Judgement judgement) const
{
    switch (judgement) {
    case Judgement::marvelous:
        return m_ui->txtMarvelous;
    case Judgement::perfect:
        return m_ui->txtPerfect;
    case Judgement::great:
        return m_ui->txtGreat;
    case Judgement::good:
        return m_ui->txtGood;
    case Judgement::boo:
        return m_ui->txtBoo;
    case Judgement::miss:
        return m_ui->txtMiss;
    case Judgement::ok:
        return m_ui->txtOK;
    case Judgement::maxOk:
        return m_ui->txtMaxOK;
    }
    return nullptr;
}

QLabel* frmTallyfen::gradePicture(Grade grade) const
{
    switch (grade) {
    case Grade::aaaa:
        return m_ui->imgAAAA;
    case Grade::aaa:
        return m_ui->imgAAA;
    case Grade::aa:
        return m_ui->imgAA;
    case Grade::a:
        return m_ui->imgA;
    case Grade::b:
        return m_ui->imgB;
    case Grade::c:
        return m_ui->imgC;
    case Grade::d:
        return m_ui->imgD;
    }
    return nullptr;
}
