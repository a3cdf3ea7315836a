#include "app/opening_rule_controller.h"

#include "app/captions.h"
#include "app/game_flow.h"
#include "app/main_form.h"
#include "app/main_widgets.h"
#include "app/opening_rule_panel.h"
#include "app/sorell_process.h"
#include "app/sr_flags.h"
#include "app/sr_option.h"
#include "app/ui_seam.h"
#include "model/move_tree.h"
#include "opening/phase_properties.h"
#include "opening/position_symmetry.h"
#include "player/thinking_level.h"
#include "rules/chk_stat.h"

#include <QActionGroup>
#include <QMenu>

#include <algorithm>

namespace {

// The computer's decisions at the standard level take the strong level's shortest time.
constexpr int64_t kStandardDecisionMs = 1000;

struct RuleItem {
    OpeningRule rule;
    const char* name;
    const char* text;
};
// 自由 and 珠型 are today's ways to begin; the others have a phase.
const RuleItem kRuleItems[] = {
    {OpeningRule::Free, "KRuleFree", QT_TRANSLATE_NOOP("OpeningRuleController", "自由")},
    {OpeningRule::Openings26, "KRuleOpenings",
     QT_TRANSLATE_NOOP("OpeningRuleController", "珠型...")},
    {OpeningRule::Soosorv8, "KRuleSoosorv", "Soosõrv-8"},
    {OpeningRule::Taraguchi10, "KRuleTaraguchi", "Taraguchi-10"},
    {OpeningRule::Yamaguchi, "KRuleYamaguchi", "Yamaguchi"},
    {OpeningRule::Rif, "KRuleRif", "RIF"},
};

} // namespace

OpeningRuleController::OpeningRuleController(TMainForm& form) : QObject(&form), form_(form) {
    setObjectName("OpeningRuleController");
    panel_ = new OpeningRulePanel(&form);
    connect(panel_, &OpeningRulePanel::swapAnswered, this, &OpeningRuleController::answerSwap);
    connect(panel_, &OpeningRulePanel::declared, this, &OpeningRuleController::answerDeclare);
    connect(panel_, &OpeningRulePanel::offerConfirmed, this, &OpeningRuleController::answerOffer);
    connect(panel_, &OpeningRulePanel::singleConfirmed, this, &OpeningRuleController::answerSingle);
    buildMenu();
}

OpeningRuleController::~OpeningRuleController() {
    stopDecision();
}

void OpeningRuleController::buildMenu() {
    form_.widgets().KO2->addSeparator();
    QMenu* menu = form_.widgets().KO2->addMenu(tr("開局規則(&R)"));
    menu->setObjectName("KOpeningRule");
    menu->menuAction()->setObjectName("KOpeningRule");
    auto* group = new QActionGroup(this);
    for (const RuleItem& item : kRuleItems) {
        auto* a = new QAction(tr(item.text), this);
        a->setObjectName(item.name);
        a->setCheckable(true);
        a->setData(static_cast<int>(item.rule));
        a->setChecked(item.rule == OpeningRule::Free);
        group->addAction(a);
        menu->addAction(a);
        ruleActions_.push_back(a);
        const OpeningRule rule = item.rule;
        connect(a, &QAction::triggered, this, [this, rule] {
            if (rule == OpeningRule::Free) {
                form_.game().NewGame();
            } else if (rule == OpeningRule::Openings26) {
                form_.KOpeningClick();
            } else {
                const bool first = uiSeam().question(
                    &form_, caption::sorell(),
                    tr("仮先手(黒)で打ちますか?\n「いいえ」で仮後手(白)になります。"));
                startGame(rule, first ? Player::First : Player::Second);
            }
        });
    }
}

DecisionBudget OpeningRuleController::budget() const {
    if (budgetOverride_) return *budgetOverride_;
    const StrongSettings* strong = thinkingLevel().strongSettings();
    DecisionBudget b;
    b.timeMs = strong && strong->timeMs > 0 ? strong->timeMs : kStandardDecisionMs;
    return b;
}

void OpeningRuleController::startGame(OpeningRule rule, std::optional<Player> user) {
    // A decision of the previous phase still being made must never be applied to this one.
    stopDecision();
    starting_ = true;
    form_.game().NewGame();
    starting_ = false;
    phase_.emplace(rule);
    user_ = user;
    picked_.clear();
    decisionText_.clear();
    refusalText_.clear();
    for (QAction* a : ruleActions_) a->setChecked(a->data().toInt() == static_cast<int>(rule));
    writePhaseProperties(phase_->record(), form_.game().record());
    showPanel();
    step();
}

// Beside the window, on its right, yet always on the screen (a maximised window leaves no room
// there).
void OpeningRuleController::showPanel() {
    panel_->move(form_.frameGeometry().topRight() + QPoint(4, 0));
    panel_->show();
    panel_->keepOnScreen();
}

void OpeningRuleController::gameReset() {
    if (starting_) return;
    stopDecision();
    phase_.reset();
    picked_.clear();
    decisionText_.clear();
    setMarks({});
    panel_->hide();
    for (QAction* a : ruleActions_)
        a->setChecked(a->data().toInt() == static_cast<int>(OpeningRule::Free));
}

void OpeningRuleController::recordLoaded() {
    gameReset();
    phase_ = readPhaseProperties(form_.game().record());
    if (!phase_) return;
    user_.reset();
    for (QAction* a : ruleActions_)
        a->setChecked(a->data().toInt() == static_cast<int>(phase_->rule()));
    if (!active()) return;
    showPanel();
    step();
}

bool OpeningRuleController::computerAnswers() const {
    return active() && user_ && phase_->ask().player != *user_;
}

// The phase and the record agree while the record's line is the phase's stones.
bool OpeningRuleController::consistent() const {
    const BanHistory& moves = form_.game().moves();
    const std::vector<int>& stones = phase_->record().stones;
    if (moves.size() != stones.size()) return false;
    size_t i = 0;
    for (const MovedPos& m : moves)
        if (cellIndex(m.x, m.y) != stones[i++]) return false;
    return true;
}

void OpeningRuleController::abandon() {
    stopDecision();
    phase_.reset();
    setMarks({});
    panel_->hide();
    form_.SetStatus(tr("盤面が変わったため開局規則の手順を終えました"));
}

void OpeningRuleController::step() {
    refusalText_.clear();
    if (!phase_) return;
    if (phase_->finished()) {
        finish();
        return;
    }
    if (computerAnswers()) {
        startDecision();
    }
    showQuestion();
}

QString OpeningRuleController::who(Player p) const {
    const QString colour = phase_->playerOf(kBlack) == p ? tr("黒") : tr("白");
    if (!user_) return colour;
    return (p == *user_ ? tr("あなた(%1)") : tr("コンピュータ(%1)")).arg(colour);
}

void OpeningRuleController::showQuestion() {
    const PhaseAsk ask = phase_->ask();
    OpeningRulePanel::View view;
    QString text;
    std::vector<int> offered;
    int area = -1;
    const bool user = !computerAnswers();
    switch (ask.step.kind) {
    case StepKind::Stone:
        area = ask.step.area;
        text = ask.step.area < kAnywhere
                   ? tr("%1手目を中央 %2×%2 の中に打ってください")
                         .arg(phase_->board().moveCount() + 1)
                         .arg(2 * ask.step.area + 1)
                   : tr("%1手目を打ってください").arg(phase_->board().moveCount() + 1);
        break;
    case StepKind::Swap:
        text = tr("交換しますか");
        view.swap = user;
        break;
    case StepKind::Declare:
        text = tr("5手目の数を宣言してください (1〜%1)").arg(ask.step.count);
        view.declareMost = user ? ask.step.count : 0;
        break;
    case StepKind::Offer:
        text = tr("5手目を %1 個打ってください").arg(ask.offerCount);
        view.offer = user;
        view.offerReady = static_cast<int>(picked_.size()) == ask.offerCount;
        break;
    case StepKind::FifthOrOffer:
        area = ask.step.area;
        text = tr("5手目を中央 %1×%1 の中に1個打つか、%2 個打ってください")
                   .arg(2 * ask.step.area + 1)
                   .arg(ask.offerCount);
        view.offer = view.single = user;
        view.offerReady = static_cast<int>(picked_.size()) == ask.offerCount;
        view.singleReady = picked_.size() == 1 && phase_->checkStone(picked_[0]) == Refusal::Ok;
        break;
    case StepKind::Choose:
        text = tr("5手目を選んでください");
        offered = phase_->record().offered;
        break;
    }
    view.question = who(ask.player) + QStringLiteral(": ") + text;
    if (deciding()) view.question += QStringLiteral("\n") + tr("コンピュータが考えています");
    if (!refusalText_.isEmpty()) view.question += QStringLiteral("\n") + refusalText_;
    view.decision = decisionText_;
    panel_->showView(view);
    setMarks({area, std::move(offered), picked_});
    form_.SetStatus(who(ask.player) + QStringLiteral(": ") + text);
}

void OpeningRuleController::setMarks(OpeningMarks marks) {
    if (marks == marks_) return;
    marks_ = std::move(marks);
    form_.DrawBoard(false);
}

void OpeningRuleController::finish() {
    stopDecision();
    setMarks({});
    writePhaseProperties(phase_->record(), form_.game().record());
    OpeningRulePanel::View view;
    view.decision = decisionText_;
    if (user_) {
        const bool black = phase_->playerOf(kBlack) == *user_;
        view.question = tr("開局が終わりました。あなたは%1です").arg(black ? tr("黒") : tr("白"));
        panel_->showView(view);
        if (black)
            form_.game().PlayFirst();
        else
            form_.game().PlaySecond();
    } else {
        view.question = tr("開局が終わりました");
        panel_->showView(view);
        form_.SetStatus(view.question);
    }
    emit phaseFinished();
}

bool OpeningRuleController::putStone(int point) {
    const Refusal r = phase_->placeStone(point);
    if (r != Refusal::Ok) {
        refuse(r);
        return false;
    }
    form_.game().PutStone(cellX(point), cellY(point));
    return true;
}

void OpeningRuleController::refuse(Refusal r) {
    switch (r) {
    case Refusal::OutsideArea:
        refusalText_ = tr("そこは範囲の外です");
        break;
    case Refusal::Forbidden:
        refusalText_ = tr("禁手です");
        break;
    case Refusal::Symmetric:
        refusalText_ = tr("対称な5手目です");
        break;
    case Refusal::NotOffered:
        refusalText_ = tr("打たれた5手目から選んでください");
        break;
    case Refusal::WrongCount:
        refusalText_ = tr("5手目の数が違います");
        break;
    default:
        refusalText_ = tr("そこには打てません");
        break;
    }
    const QString text = refusalText_;
    showQuestion();
    form_.SetStatus(text);
}

bool OpeningRuleController::takeClick(int x, int y) {
    if (!active()) return false;
    if (!consistent()) {
        abandon();
        return false;
    }
    if (computerAnswers() || !onBoard(x, y)) return true;
    const int point = cellIndex(x, y);
    switch (phase_->ask().step.kind) {
    case StepKind::Stone:
        if (putStone(point)) step();
        break;
    case StepKind::Offer:
    case StepKind::FifthOrOffer:
        pick(point);
        break;
    case StepKind::Choose:
        if (const Refusal r = phase_->choose(point); r != Refusal::Ok) {
            refuse(r);
        } else {
            form_.game().PutStone(x, y);
            step();
        }
        break;
    case StepKind::Swap:
    case StepKind::Declare:
        break;
    }
    return true;
}

// A click on a picked point takes it back; any other adds it when the offer is not full and
// it may be offered beside the others.
void OpeningRuleController::pick(int point) {
    refusalText_.clear();
    const auto at = std::find(picked_.begin(), picked_.end(), point);
    if (at != picked_.end()) {
        picked_.erase(at);
        showQuestion();
        return;
    }
    if (static_cast<int>(picked_.size()) >= phase_->ask().offerCount) return;
    BanArray probe = phase_->board();
    if (probe.at(point) != kEmpty) return refuse(Refusal::Occupied);
    if (isForbiddenBlack(probe, point)) return refuse(Refusal::Forbidden);
    const uint8_t mask = positionSymmetries(phase_->board());
    for (int q : picked_)
        if (equivalentUnder(mask, point, q)) return refuse(Refusal::Symmetric);
    picked_.push_back(point);
    showQuestion();
}

void OpeningRuleController::answerSwap(bool swap) {
    if (!active() || computerAnswers() || phase_->swap(swap) != Refusal::Ok) return;
    step();
}

void OpeningRuleController::answerDeclare(int count) {
    if (!active() || computerAnswers()) return;
    if (const Refusal r = phase_->declare(count); r != Refusal::Ok) return refuse(r);
    step();
}

void OpeningRuleController::answerOffer() {
    if (!active() || computerAnswers()) return;
    if (const Refusal r = phase_->offer(picked_); r != Refusal::Ok) return refuse(r);
    picked_.clear();
    writePhaseProperties(phase_->record(), form_.game().record());
    step();
}

void OpeningRuleController::answerSingle() {
    if (!active() || computerAnswers() || picked_.size() != 1) return;
    const int point = picked_[0];
    if (!putStone(point)) return;
    picked_.clear();
    step();
}
