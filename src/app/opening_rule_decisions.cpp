// The computer's decisions in the opening phase, on a thread of their own, with the reason shown
// for each; and the save of a phase game.

#include "app/captions.h"
#include "app/game_flow.h"
#include "app/main_form.h"
#include "app/opening_rule_controller.h"
#include "app/record_commands.h"
#include "app/sorell_process.h"
#include "app/sr_flags.h"
#include "app/sr_option.h"
#include "app/ui_seam.h"
#include "database/openings.h"
#include "model/move_tree.h"
#include "model/record_files.h"
#include "opening/phase_properties.h"
#include "opening/position_symmetry.h"

#include <QFile>
#include <QFileInfo>

namespace {

QString pointName(int p) {
    return QString::fromStdString(pointText(cellX(p), cellY(p)));
}

QString signedScore(int score) {
    return (score > 0 ? QStringLiteral("+") : QString()) + QString::number(score);
}

} // namespace

// ---- the computer's decisions ----

void OpeningRuleController::startDecision() {
    stopDecision();
    const quint64 serial = nextSerial_++;
    awaited_ = serial;
    stop_ = std::make_shared<std::atomic<bool>>(false);
    const OpeningPhase copy = *phase_;
    const DecisionBudget b = budget();
    std::shared_ptr<std::atomic<bool>> stop = stop_;
    worker_ = std::thread([this, serial, copy, b, stop] {
        const PhaseDecision d = decidePhaseStep(copy, b, *stop);
        if (*stop) return;
        QMetaObject::invokeMethod(
            this, [this, serial, d] { decisionDone(serial, d); }, Qt::QueuedConnection);
    });
}

void OpeningRuleController::stopDecision() {
    awaited_ = 0;
    if (stop_) stop_->store(true);
    if (worker_.joinable()) worker_.join();
}

namespace {

// The computer's decision and the evaluation it rests on, for the panel.
QString reasonText(const PhaseDecision& d, char colour) {
    const QString score = signedScore(d.blackScore);
    switch (d.kind) {
    case StepKind::Stone:
        if (d.stones.size() > 1) {
            BanArray three;
            for (int p : d.stones) three.put(p);
            const int o = openingIndexOf(three);
            const QString name =
                o >= 0 ? QString::fromUtf8(openings()[static_cast<size_t>(o)].code) +
                             QStringLiteral(" ") +
                             QString::fromUtf8(openings()[static_cast<size_t>(o)].name)
                       : QString();
            return OpeningRuleController::tr("コンピュータ: 珠型 %1 を選びました (黒の評価 %2)")
                .arg(name, score);
        }
        return OpeningRuleController::tr("コンピュータ: %1 に打ちました (黒の評価 %2)")
            .arg(d.stones.empty() ? QString() : pointName(d.stones.front()), score);
    case StepKind::Swap:
        return (d.swap ? OpeningRuleController::tr(
                             "コンピュータ: 交換します (%1の有利さ %2、%3の有利さ %4)")
                       : OpeningRuleController::tr(
                             "コンピュータ: 交換しません (%1の有利さ %2、%3の有利さ %4)"))
            .arg(colour == kBlack ? OpeningRuleController::tr("黒")
                                  : OpeningRuleController::tr("白"))
            .arg(signedScore(d.ownScore))
            .arg(colour == kBlack ? OpeningRuleController::tr("白")
                                  : OpeningRuleController::tr("黒"))
            .arg(signedScore(d.otherScore));
    case StepKind::Declare:
        return OpeningRuleController::tr("コンピュータ: 5手目を %1 個と宣言しました (黒の評価 %2)")
            .arg(d.count)
            .arg(score);
    case StepKind::Offer:
    case StepKind::FifthOrOffer:
        if (!d.stones.empty())
            return OpeningRuleController::tr(
                       "コンピュータ: 5手目を1個 %1 に打ちました (黒の評価 %2)")
                .arg(pointName(d.stones.front()), score);
        return OpeningRuleController::tr(
                   "コンピュータ: 5手目を %1 個打ちました (白が選ぶと黒の評価 %2)")
            .arg(d.offered.size())
            .arg(score);
    case StepKind::Choose:
        return OpeningRuleController::tr("コンピュータ: %1 を選びました (黒の評価 %2)")
            .arg(pointName(d.chosen), score);
    }
    return {};
}

} // namespace

void OpeningRuleController::decisionDone(quint64 serial, const PhaseDecision& d) {
    if (serial != awaited_ || !active()) return;
    if (worker_.joinable()) worker_.join();
    awaited_ = 0;
    if (!consistent()) return abandon();
    const char colour = phase_->ask().step.colour;
    decisionText_ = reasonText(d, colour);
    Refusal r = Refusal::Ok;
    if (d.kind == StepKind::Stone || (d.kind == StepKind::FifthOrOffer && !d.stones.empty())) {
        for (int p : d.stones)
            if (!putStone(p)) {
                r = Refusal::NotAsked;
                break;
            }
    } else {
        r = applyDecision(*phase_, d);
        if (d.kind == StepKind::Choose && r == Refusal::Ok)
            form_.game().PutStone(cellX(d.chosen), cellY(d.chosen));
    }
    if (r != Refusal::Ok) {
        // Never expected: the decisions are checked against the same rules.
        decisionText_ = tr("コンピュータの判断が規則に合いませんでした");
        user_.reset();
    }
    writePhaseProperties(phase_->record(), form_.game().record());
    emit decisionApplied();
    step();
}

// ---- records ----

// The record's main line begins with the phase's stones (another record, pasted or edited
// in, must not be saved with this phase).
bool OpeningRuleController::belongsToRecord() const {
    const MOve* node = form_.game().record().root();
    for (int p : phase_->record().stones) {
        if (node->childCount() == 0) return false;
        node = node->child(0);
        if (cellIndex(node->pos.x, node->pos.y) != p) return false;
    }
    return true;
}

bool OpeningRuleController::saveRecord() {
    if (!phase_ || !hasPhase(phase_->rule()) || !belongsToRecord()) return false;
    const QString chosen =
        uiSeam().saveFileName(&form_, RecordCommands::recordFilter(), srOption().lastFolder);
    if (chosen.isEmpty()) return true;
    QString name = chosen;
    if (!name.endsWith(QLatin1String(".sgf"), Qt::CaseInsensitive)) name += QStringLiteral(".sgf");
    if (name != chosen && QFileInfo::exists(name) &&
        !uiSeam().question(&form_, caption::sorell(),
                           tr("%1 は既に存在します。\n置き換えますか?").arg(name)))
        return true;
    MOveTree& record = form_.game().record();
    writePhaseProperties(phase_->record(), record);
    record.setRecordFormat(kRecordText);
    if (!record.WriteFile(QFile::encodeName(name).toStdString().c_str())) {
        uiSeam().message(&form_, caption::sorell(),
                         tr("棋譜ファイル %1 に書き込めません").arg(name), UiSeam::Kind::Warning);
        return true;
    }
    srFlags().fileName = name;
    srOption().lastFolder = QFileInfo(name).absolutePath();
    form_.UpdateCaption();
    return true;
}
