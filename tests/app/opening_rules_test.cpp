// Games under the opening rules in the window: every step answered by clicks and the panel's
// buttons on one side and by the computer on the other, then the game saved and opened again.

#include "app/opening_marks.h"
#include "app/opening_rule_controller.h"
#include "app/opening_rule_panel.h"
#include "app_test_support.h"
#include "opening/phase_properties.h"

#include <QAction>
#include <QFileInfo>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>

namespace {

// A node budget keeps the computer's decisions quick and the same everywhere.
constexpr DecisionBudget kQuick{0, 20000};

void click(TestGame& g, int point) {
    g.form->game().Goban0MouseDown(Qt::LeftButton, pointPixel(cellX(point)),
                                   pointPixel(cellY(point)));
}

// Points from the centre outwards, for picking the first acceptable ones.
std::vector<int> pointsFromCentre() {
    std::vector<int> points;
    for (int r = 0; r < 8; ++r)
        for (int p = 0; p < kPoints; ++p)
            if (std::max(std::abs(cellX(p) - 7), std::abs(cellY(p) - 7)) == r) points.push_back(p);
    return points;
}

// When SORELL_SHOTS names a directory, the window and the panel are saved there at each step.
void shoot(TestGame& g, const QString& name) {
    const QString dir = qEnvironmentVariable("SORELL_SHOTS");
    if (dir.isEmpty()) return;
    QImage form = g.form->grab().toImage();
    const QImage panel = g.form->openingRules()->panel()->grab().toImage();
    QImage both(form.width() + panel.width() + 8, std::max(form.height(), panel.height()),
                QImage::Format_RGB32);
    both.fill(Qt::gray);
    QPainter p(&both);
    p.drawImage(0, 0, form);
    p.drawImage(form.width() + 8, 0, panel);
    p.end();
    both.save(QDir(dir).filePath(name + ".png"));
}

// Answers what the phase asks the user with the first answer the window takes.
void answer(TestGame& g, const QString& shot) {
    OpeningRuleController& c = *g.form->openingRules();
    OpeningRulePanel& panel = *c.panel();
    const PhaseAsk ask = c.phase()->ask();
    const int before = static_cast<int>(c.phase()->record().stones.size());
    switch (ask.step.kind) {
    case StepKind::Stone:
        for (int p : pointsFromCentre()) {
            click(g, p);
            if (static_cast<int>(c.phase()->record().stones.size()) > before) break;
        }
        break;
    case StepKind::Swap:
        QVERIFY(panel.swapNo->isVisible());
        panel.swapNo->click();
        break;
    case StepKind::Declare:
        panel.count->setValue(3);
        panel.declare->click();
        break;
    case StepKind::FifthOrOffer:
    case StepKind::Offer:
        for (int p : pointsFromCentre()) {
            if (panel.offer->isEnabled()) break;
            click(g, p);
        }
        QVERIFY(panel.offer->isEnabled());
        if (!shot.isEmpty()) shoot(g, shot);
        panel.offer->click();
        break;
    case StepKind::Choose:
        click(g, c.phase()->record().offered.back());
        break;
    }
}

// Plays the whole phase of rule with the user as player user; false when it got stuck.
bool playPhase(TestGame& g, OpeningRule rule, Player user, const QString& shots = {}) {
    OpeningRuleController& c = *g.form->openingRules();
    c.setDecisionBudget(kQuick);
    c.startGame(rule, user);
    for (int steps = 0; c.active() && steps < 30; ++steps) {
        if (!shots.isEmpty()) shoot(g, shots + QString::number(steps));
        if (c.deciding()) {
            if (!QTest::qWaitFor([&] { return !c.deciding(); }, 20000)) return false;
        } else {
            const PhaseRecord before = c.phase()->record();
            answer(g, shots.isEmpty() ? QString()
                                      : shots + QString::number(steps) + QStringLiteral("-picked"));
            if (c.phase() && c.phase()->record() == before && c.active() && !c.deciding() &&
                c.phase()->ask().step.kind != StepKind::Swap)
                return false;
        }
        if (c.phase() && c.phase()->board().moveCount() != g.moveCount()) return false;
    }
    if (!shots.isEmpty()) shoot(g, shots + QStringLiteral("end"));
    return c.phase() && c.phase()->finished();
}

} // namespace

class OpeningRulesTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { env_ = std::make_unique<AppTestEnvironment>(); }
    void cleanupTestCase() { env_.reset(); }
    void init() {
        AppTestEnvironment::clearSettings();
        env_->resetSeam();
    }

    void everyRuleIsPlayedToTheGameOnEitherSide();
    void aPhaseGameIsSavedAndOpenedAgain();
    void refusedAnswersChangeNothing();
    void marksAndClicksFollowTheScaledBoard();
    void aNewPhaseDropsTheComputersPendingDecision();
    void thePanelStaysOnTheScreen();

  private:
    std::unique_ptr<AppTestEnvironment> env_;
};

void OpeningRulesTest::everyRuleIsPlayedToTheGameOnEitherSide() {
    for (OpeningRule rule : {OpeningRule::Soosorv8, OpeningRule::Taraguchi10,
                             OpeningRule::Yamaguchi, OpeningRule::Rif})
        for (Player user : {Player::First, Player::Second}) {
            TestGame g;
            const QString shots = QStringLiteral("%1-%2-")
                                      .arg(QString::fromLatin1(ruleId(rule).data()))
                                      .arg(user == Player::First ? 1 : 2);
            QVERIFY2(playPhase(g, rule, user, shots), qPrintable(shots));
            // The game goes on against the computer with the colours the phase settled.
            QCOMPARE(srFlags().playMode, 1);
            const bool userBlack = g.form->openingRules()->phase()->playerOf(kBlack) == user;
            QCOMPARE(srFlags().userParity, userBlack ? 0 : 1);
            QVERIFY(g.settled());
            QCOMPARE(g.moveCount(), userBlack ? 6 : 5);
        }
}

void OpeningRulesTest::aPhaseGameIsSavedAndOpenedAgain() {
    PhaseRecord played;
    {
        // One window at a time: the process-wide objects go with each game.
        TestGame g;
        QVERIFY(playPhase(g, OpeningRule::Soosorv8, Player::First));
        QVERIFY(g.settled());
        played = g.form->openingRules()->phase()->record();
        env_->seam.saveAnswer = env_->workFile("game");
        g.form->commands().KS1Click();
    }
    const QByteArray text = readBytes(env_->workFile("game.sgf"));
    QVERIFY2(text.contains("XR[soosorv-8]"), text.constData());
    QVERIFY(text.contains("XF["));

    TestGame again;
    QVERIFY(again.form->commands().OpenRecord(env_->workFile("game.sgf")));
    QVERIFY2(again.form->openingRules()->phase().has_value(), text.constData());
    QVERIFY(again.form->openingRules()->phase()->record() == played);
    QVERIFY(again.form->findChild<QAction*>("KRuleSoosorv")->isChecked());
}

void OpeningRulesTest::refusedAnswersChangeNothing() {
    TestGame g;
    OpeningRuleController& c = *g.form->openingRules();
    c.startGame(OpeningRule::Rif, std::nullopt); // the user answers for both
    click(g, cellIndex(7, 6));                   // the first stone goes on the centre
    QCOMPARE(g.moveCount(), 0);
    QVERIFY(g.form->statusText().contains(QStringLiteral("範囲")));
    for (int p : {cellIndex(7, 7), cellIndex(7, 6), cellIndex(7, 5)}) click(g, p);
    c.panel()->swapNo->click();
    click(g, cellIndex(7, 4)); // D1 and h5: mirrored about the h column
    QCOMPARE(g.moveCount(), 4);
    click(g, cellIndex(6, 8));
    click(g, cellIndex(8, 8)); // the mirror image of the first pick
    QVERIFY(g.form->statusText().contains(QStringLiteral("対称")));
    QVERIFY(!c.panel()->offer->isEnabled());
    click(g, cellIndex(7, 8));
    QVERIFY(c.panel()->offer->isEnabled());
    c.panel()->offer->click();
    click(g, cellIndex(8, 8)); // not offered
    QCOMPARE(g.moveCount(), 4);
    click(g, cellIndex(7, 8));
    QCOMPARE(g.moveCount(), 5);
    QVERIFY(c.phase()->finished());

    // A record pasted over the phase game is saved as any other game, without the phase.
    QVERIFY(g.form->commands().LoadFromText(QStringLiteral("h8,i8,h9,**,")));
    env_->seam.saveAnswer = env_->workFile("pasted");
    g.form->commands().KS1Click();
    QVERIFY(QFileInfo::exists(env_->workFile("pasted.ban")));
}

// The marks are drawn as part of the board, so they scale with it, and presses on the scaled
// board answer the phase; the marks go when the phase ends.
void OpeningRulesTest::marksAndClicksFollowTheScaledBoard() {
    TestGame g;
    TMainForm* f = g.form.get();
    f->show();
    f->resize(1500, 1100);
    QCoreApplication::processEvents();
    GobanBox* box = f->widgets().Goban0;
    QVERIFY(box->scale() > 1.5);
    auto press = [box](int x, int y) {
        QTest::mouseClick(box, Qt::LeftButton, {},
                          box->boxPixel(QPoint(pointPixel(x), pointPixel(y))));
    };
    // The mark colour at a pixel of the default layout.
    auto marked = [&g, box](int layoutX, int layoutY) {
        const QColor c = g.board().pixelColor(box->boxPixel(QPoint(layoutX, layoutY)));
        return c.red() > 150 && c.green() < 100 && c.blue() < 100;
    };
    OpeningRuleController& c = *f->openingRules();
    c.startGame(OpeningRule::Rif, std::nullopt);
    // The first stone's central square: its dashed edge 10 pixels out from the centre.
    QVERIFY(marked(pointPixel(7) - 10, pointPixel(7) - 6));
    for (int y : {7, 6, 5}) press(7, y);
    c.panel()->swapNo->click();
    press(7, 4);
    QCOMPARE(g.moveCount(), 4);
    QVERIFY(!marked(pointPixel(7) - 10, pointPixel(7) - 6));
    press(6, 8); // the first pick: a numbered ring
    QCOMPARE(c.marks().picked, std::vector<int>{cellIndex(6, 8)});
    QVERIFY(marked(pointPixel(6) + 8, pointPixel(8)));
    press(7, 8);
    c.panel()->offer->click();
    press(7, 8);
    QVERIFY(c.phase()->finished());
    QVERIFY(c.marks().empty());
    QVERIFY(!marked(pointPixel(6) + 8, pointPixel(8)));
}

// A new game under a rule while the computer still decides for the previous one: that
// decision is dropped, never applied to the new phase.
void OpeningRulesTest::aNewPhaseDropsTheComputersPendingDecision() {
    TestGame g;
    OpeningRuleController& c = *g.form->openingRules();
    c.setDecisionBudget(kQuick);
    c.startGame(OpeningRule::Soosorv8, Player::Second); // the computer places the first stones
    QVERIFY(c.deciding());
    c.startGame(OpeningRule::Soosorv8, std::nullopt); // the user answers for both
    QVERIFY(!c.deciding());
    QCoreApplication::processEvents();
    QCOMPARE(g.moveCount(), 0);
    QVERIFY(c.phase()->record().stones.empty());
    QVERIFY(c.active());
}

// A window filling the screen leaves no room on its right: the panel still shows on the screen.
void OpeningRulesTest::thePanelStaysOnTheScreen() {
    TestGame g;
    TMainForm* f = g.form.get();
    f->show();
    const QRect room = f->screen()->availableGeometry();
    f->setGeometry(room);
    QCoreApplication::processEvents();
    OpeningRuleController& c = *f->openingRules();
    c.startGame(OpeningRule::Rif, std::nullopt);
    QVERIFY(c.panel()->isVisible());
    QVERIFY(room.contains(c.panel()->frameGeometry()));
}

QTEST_MAIN(OpeningRulesTest)
#include "opening_rules_test.moc"
