#pragma once

#include "app/opening_marks.h"
#include "opening/opening_phase.h"
#include "opening/phase_decisions.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

class OpeningRulePanel;
class QAction;
class TMainForm;

// Games under an opening rule in the window: the 開局規則 menu (under 設定), the phase's
// questions in a small panel, the answers by clicks on the board and the panel's buttons, the
// computer's decisions on a thread of their own, and the phase kept in the saved record. Every
// stone goes through the window's PutStone, so the board, the history and black's forbidden
// points behave as in any game; when the phase is over, play goes on as a game against the
// computer with the colours the phase settled.
class OpeningRuleController : public QObject {
    Q_OBJECT

  public:
    // Adds the menu to form's 設定 menu. Made after the form's parts.
    explicit OpeningRuleController(TMainForm& form);
    ~OpeningRuleController() override;

    // A new game under rule: user is the player the user is (nothing: the user answers for both).
    void startGame(OpeningRule rule, std::optional<Player> user);
    // True while a phase asks for answers.
    bool active() const { return phase_ && !phase_->finished(); }
    const std::optional<OpeningPhase>& phase() const { return phase_; }
    OpeningRulePanel* panel() const { return panel_; }
    // The marks the board shows over the position.
    const OpeningMarks& marks() const { return marks_; }
    // The computer's last decision as shown ("" when none).
    QString decisionText() const { return decisionText_; }
    // True while the computer decides.
    bool deciding() const { return awaited_ != 0; }
    // The budget of the computer's decisions; by default the strong level's time a move (1 s
    // at the standard level).
    void setDecisionBudget(std::optional<DecisionBudget> budget) { budgetOverride_ = budget; }

    // ---- hooks of the main window ----
    // A left click on board point (x, y): true when the phase took it (the window then does
    // nothing more with it).
    bool takeClick(int x, int y);
    // The window started a new game or dropped its record: the phase ends.
    void gameReset();
    // The window opened a record: its phase, if it holds one, is taken up (the user then
    // answers for both players).
    void recordLoaded();
    // The save command: a game under a rule is saved here as record text with its phase (true);
    // false leaves the save to the window.
    bool saveRecord();

  signals:
    // A decision of the computer was applied (or dropped when it was not valid).
    void decisionApplied();
    // The phase ended; normal play follows.
    void phaseFinished();

  private:
    void buildMenu();
    void step();
    void finish();
    void showQuestion();
    void showPanel();
    // Shows marks on the board (redrawn only when they change).
    void setMarks(OpeningMarks marks);
    bool computerAnswers() const;
    bool consistent() const;
    bool belongsToRecord() const;
    void abandon();
    void startDecision();
    void stopDecision();
    void decisionDone(quint64 serial, const PhaseDecision& d);
    bool putStone(int point);
    void pick(int point);
    void answerSwap(bool swap);
    void answerDeclare(int count);
    void answerOffer();
    void answerSingle();
    void refuse(Refusal r);
    DecisionBudget budget() const;
    QString who(Player p) const;

    TMainForm& form_;
    OpeningRulePanel* panel_ = nullptr;
    OpeningMarks marks_;
    std::vector<QAction*> ruleActions_;
    std::optional<OpeningPhase> phase_;
    std::optional<Player> user_;
    std::vector<int> picked_;
    QString decisionText_;
    QString refusalText_;
    bool starting_ = false;
    std::optional<DecisionBudget> budgetOverride_;

    std::thread worker_;
    std::shared_ptr<std::atomic<bool>> stop_;
    quint64 awaited_ = 0;
    quint64 nextSerial_ = 1;
};
