#pragma once

#include <QWidget>
#include <array>
#include <calculation.h>
#include <judgement.h>
#include <memory>
#include <scoresheet.h>

class QLabel;

namespace Ui {
class frmTallyfen;
}

namespace tallyfen {

class CountBox;
class ResultAnnouncement;

// The calculator's one window. Data flow, one event at a time:
// - cmdCalculate_Click reads the texts of the eight count boxes and hands them, with the
//   locale's decimal and group separators, to calculate, which fills the window's ScoreSheet.
//   A DanceResult is written to lblDP, one grade picture (shown), lblNearlyGot, lblMaxDP,
//   lblAward, lblShowDP and lblShowMaxDP, and told to screen readers in one sentence through
//   the window's ResultAnnouncement. A ScoringFailure writes nothing: a message says what ran
//   over or which box is at fault, and once it is closed the focus goes to the box it names.
// - Each txt*_Change (every change of a box's text) runs clearResult: lblDP and lblAward
//   emptied, every grade picture hidden. The next-grade line and the DP row stay.
// - cmdHelp_Click shows the help message; lblBoo_Click sets lblBoo to "Uber", and the caption
//   and the Boo box to the accessible name "Uber count".
class frmTallyfen : public QWidget
{
    Q_OBJECT

public:
    explicit frmTallyfen(QWidget* parent = nullptr);
    ~frmTallyfen() override;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void cmdCalculate_Click();
    void cmdHelp_Click();
    void lblBoo_Click();
    void txtMarvelous_Change();
    void txtPerfect_Change();
    void txtGreat_Change();
    void txtGood_Change();
    void txtBoo_Change();
    void txtMiss_Change();
    void txtOK_Change();
    void txtMaxOK_Change();

    void showPicturesForScreen();
    void allowGivenSize(Qt::WindowState state);
    void clearResult();
    void showDanceResult(const DanceResult& result);
    void reportFailure(const ScoringFailure& failure);

    CountBox* countBox(Judgement judgement) const;

    const std::unique_ptr<Ui::frmTallyfen> m_ui;
    // In the order of allJudgements, and of the Grade enumeration, best first.
    std::array<CountBox*, judgementCount> m_countBoxes;
    std::array<QLabel*, 7> m_gradePictures;
    ScoreSheet m_scoreSheet;
    ResultAnnouncement* const m_resultAnnouncement;
};

} // namespace tallyfen
