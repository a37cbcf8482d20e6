#include "frmtallyfen.h"

#include "coretext.h"
#include "messagebox.h"
#include "resultannouncement.h"
#include "ui_frmtallyfen.h"

#include <QPixmap>
#include <QWindow>
#include <sentences.h>

namespace tallyfen {

namespace {

// A form's font holds whole points; a label drawn at a fraction of a point carries it as a
// property of its own, which the web page's generator reads too.
void applyFractionalPointSize(QLabel* label)
{
    const QVariant points = label->property("pointSizeF");
    if (!points.isValid())
        return;
    QFont font = label->font();
    font.setPointSizeF(points.toReal());
    label->setFont(font);
}

} // namespace

frmTallyfen::frmTallyfen(QWidget* parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::frmTallyfen>()),
      m_resultAnnouncement(new ResultAnnouncement(this))
{
    m_ui->setupUi(this);
    // The window has one size: it offers no maximise button, on any desktop.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    m_countBoxes = {m_ui->txtMarvelous, m_ui->txtPerfect, m_ui->txtGreat, m_ui->txtGood,
                    m_ui->txtBoo,       m_ui->txtMiss,    m_ui->txtOK,    m_ui->txtMaxOK};
    m_gradePictures = {m_ui->imgAAAA, m_ui->imgAAA, m_ui->imgAA, m_ui->imgA,
                       m_ui->imgB,    m_ui->imgC,   m_ui->imgD};

    for (QLabel* label : findChildren<QLabel*>())
        applyFractionalPointSize(label);
    // Opaque in the toolkit's own control face, whatever the desktop's colours are.
    for (QLabel* caption : {m_ui->Label1, m_ui->Label2}) {
        caption->setBackgroundRole(QPalette::Button);
        caption->setForegroundRole(QPalette::ButtonText);
    }

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

    // The window's first focus comes without a Tab, which would select the text: the first
    // digits typed replace the 0.
    m_ui->txtMarvelous->takeFocusSelected();
}

frmTallyfen::~frmTallyfen() = default;

// From the first show on, the window has a native window whose state and screen can be followed.
void frmTallyfen::showEvent(QShowEvent* event)
{
    connect(windowHandle(), &QWindow::windowStateChanged, this, &frmTallyfen::allowGivenSize,
            Qt::UniqueConnection);
    connect(windowHandle(), &QWindow::screenChanged, this, &frmTallyfen::showPicturesForScreen,
            Qt::UniqueConnection);
    showPicturesForScreen();
    QWidget::showEvent(event);
}

// A screen above 1x shows the grade pictures drawn at twice the size (the @2x files), in the same
// place at the same size; a 1x screen shows the 1x pictures as they are.
void frmTallyfen::showPicturesForScreen()
{
    const int drawnScale = devicePixelRatioF() > 1 ? 2 : 1;
    for (std::size_t i = 0; i < m_gradePictures.size(); ++i) {
        QPixmap drawn(QStringLiteral(":/grades/%1%2.jpg")
                          .arg(fromUtf8(gradeName(static_cast<Grade>(i))),
                               drawnScale == 2 ? QStringLiteral("@2x") : QString()));
        // Qt reads the scale from "@2x" in a file's name too, but not where
        // QT_HIGHDPI_DISABLE_2X_IMAGE_LOADING is set.
        drawn.setDevicePixelRatio(drawnScale);
        m_gradePictures[i]->setPixmap(drawn);
    }
}

// A desktop may maximise the window all the same: Qt 6.4's own title bar on Wayland offers it
// whatever the flags say, and the compositor ends a maximised Wayland window that keeps its size.
// So the window takes the size it is given while maximised or full screen, with the controls
// where they always are, and has its one size again once it is back. The limit goes as soon as
// the state is asked for, before the compositor answers with the new size, and comes back once
// the compositor has taken the state back.
void frmTallyfen::allowGivenSize(Qt::WindowState state)
{
    if (state == Qt::WindowMaximized || state == Qt::WindowFullScreen)
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

void frmTallyfen::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange &&
        !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        setMaximumSize(minimumSize());
    QWidget::changeEvent(event);
}

void frmTallyfen::cmdCalculate_Click()
{
    std::array<QString, judgementCount> texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = m_countBoxes[i]->text();
    const Utf8BoxTexts boxTexts(texts);

    const CalculationOutcome outcome =
        calculate(m_scoreSheet, boxTexts.views(), localeNumberFormat());
    if (const auto* result = std::get_if<DanceResult>(&outcome))
        showDanceResult(*result);
    else
        reportFailure(std::get<ScoringFailure>(outcome));
}

void frmTallyfen::cmdHelp_Click()
{
    showMessage(this, helpMessage());
}

void frmTallyfen::lblBoo_Click()
{
    m_ui->lblBoo->setText(fromUtf8(clickedBooCaption));
    // A screen reader reads, and voice control answers to, the word the caption shows.
    const QString name = fromUtf8(countBoxName(clickedBooCaption));
    m_ui->lblBoo->setAccessibleName(name);
    m_ui->txtBoo->setAccessibleName(name);
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
    for (QLabel* picture : m_gradePictures)
        picture->setVisible(false);
    m_ui->lblAward->setText(QString());
}

void frmTallyfen::showDanceResult(const DanceResult& result)
{
    m_ui->lblDP->setText(fromUtf8(result.percentText));
    if (result.grade)
        m_gradePictures[static_cast<std::size_t>(*result.grade)]->setVisible(true);
    m_ui->lblNearlyGot->setText(fromUtf8(result.nextGrade));
    m_ui->lblMaxDP->setText(fromUtf8(result.distance));
    if (result.award)
        m_ui->lblAward->setText(fromUtf8(*result.award));
    m_ui->lblShowDP->setText(fromUtf8(countToText(result.dp)));
    m_ui->lblShowMaxDP->setText(fromUtf8(countToText(result.maxDp)));
    m_resultAnnouncement->announce(fromUtf8(spokenResult(result)));
}

void frmTallyfen::reportFailure(const ScoringFailure& failure)
{
    CountBox* boxAtFault = countBox(failure.box);
    showMessage(this, failureMessage(failure, boxAtFault->text().toUtf8().toStdString()),
                [boxAtFault] { boxAtFault->takeFocusSelected(); });
}

CountBox* frmTallyfen::countBox(Judgement judgement) const
{
    return m_countBoxes[static_cast<std::size_t>(judgement)];
}

} // namespace tallyfen
