// Plays games in the real window against the computer at the standard level and measures,
// for every computer move, the time from the user's stone to the computer's stone painted on
// the board; meanwhile a 1 ms timer on the main thread records the longest pause of the event
// loop, which shows whether the window keeps repainting while the computer thinks.
//
//   sorell-window-bench [games]        (QT_QPA_PLATFORM=offscreen works)
//   sorell-window-bench repaint [stones]
//
// The second form measures, on a board of 1,000 x 1,000 pixels, the time from placing a stone
// to the board repainted (the view judged once, the picture drawn, the paint copied).
//
// The user's moves are chosen by the same engine (not timed), with a different opening each
// game. Settings and the current directory are temporary: no database file is read.

#include "app/analysis_control.h"
#include "app/game_flow.h"
#include "app/goban_box.h"
#include "app/main_form.h"
#include "app/sorell_process.h"
#include "app/ui_seam.h"
#include "model/move_tree.h"
#include "player/think.h"
#include "rules/move_code.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

namespace {

double percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t i = std::min(v.size() - 1, static_cast<size_t>(p * (v.size() - 1) + 0.5));
    return v[i];
}

// Runs the event loop until done() holds; false after 30 seconds.
template <class F> bool waitFor(F done) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > 30000) return false;
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

bool gameOver(TMainForm& form) {
    return isEndCode(form.game().record().current()->code);
}

// Nothing is shown and nothing sounds: message boxes are dropped and dialogs cancelled.
class QuietSeam : public UiSeam {
  public:
    QuietSeam() { setUiSeam(this); }
    ~QuietSeam() override { setUiSeam(nullptr); }
    void message(QWidget*, const QString&, const QString&, Kind) override {}
    bool question(QWidget*, const QString&, const QString&) override { return false; }
    void beep(Beep) override {}
    bool chooseColour(QWidget*, QColor&) override { return false; }
    QString openFileName(QWidget*, const QString&, const QString&) override { return {}; }
    QString saveFileName(QWidget*, const QString&, const QString&) override { return {}; }
};

// Stones placed in the window, each followed by a synchronous repaint of the board.
int repaintBench(int stones) {
    SorellProcess process;
    srOption().sound = 0;
    TMainForm form;
    form.show();
    GobanBox* box = form.widgets().Goban0;
    const int boardSide = 1000;
    form.resize(form.width() + boardSide - box->width(), form.height() + boardSide - box->height());
    QApplication::processEvents();
    std::printf("board box %d x %d, scale %.3f, pixel ratio %.1f\n", box->width(), box->height(),
                box->scale(), box->devicePixelRatioF());
    std::vector<double> samples;
    QElapsedTimer clock;
    while (static_cast<int>(samples.size()) < stones) {
        form.game().NewGame();
        box->repaint();
        while (!gameOver(form) && form.game().moves().size() < 100 &&
               static_cast<int>(samples.size()) < stones) {
            const std::atomic<bool> never{false};
            const int point = form.game().moves().empty()
                                  ? 112
                                  : thinkMove(form.game().moves(), thinkingLevel(), never);
            clock.start();
            if (!form.game().PutStone(point % 15, point / 15)) break;
            box->repaint();
            samples.push_back(clock.nsecsElapsed() / 1e6);
        }
    }
    std::printf("stone -> repainted 1000-pixel board: %zu stones, median %.2f ms, 95th "
                "percentile %.2f ms, max %.2f ms\n",
                samples.size(), percentile(samples, 0.5), percentile(samples, 0.95),
                percentile(samples, 1.0));
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const bool repaint = argc > 1 && std::string(argv[1]) == "repaint";
    const int games = !repaint && argc > 1 ? std::max(1, atoi(argv[1])) : 3;

    QTemporaryDir dir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.filePath("settings"));
    QDir().mkpath(dir.filePath("work"));
    QDir::setCurrent(dir.filePath("work"));
    QuietSeam seam;
    if (repaint) return repaintBench(argc > 2 ? std::max(1, atoi(argv[2])) : 200);

    std::vector<double> replies;
    std::vector<double> pauses;
    int paintsWhileThinking = 0;
    double thinkingMs = 0;
    {
        SorellProcess process;
        srOption().sound = 0;
        TMainForm form;
        form.show();

        QElapsedTimer clock;
        clock.start();
        qint64 lastTick = clock.nsecsElapsed();
        double longestPause = 0;
        QTimer ticker;
        ticker.setInterval(1);
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            const qint64 now = clock.nsecsElapsed();
            longestPause = std::max(longestPause, (now - lastTick) / 1e6);
            lastTick = now;
            if (srFlags().thinking == 1)
                form.widgets().Goban0->update(); // a repaint request per tick
        });
        ticker.start();

        int paintsAtLastStone = 0;
        QObject::connect(&form.game(), &GameFlow::stonePlaced,
                         [&] { paintsAtLastStone = form.widgets().Goban0->paintCount(); });

        const int openings[][2] = {{7, 7}, {6, 7}, {7, 6}, {8, 8}, {6, 8}};
        for (int game = 0; game < games; ++game) {
            form.game().NewGame();
            form.game().PlayFirst();
            bool first = true;
            while (!gameOver(form) && form.game().moves().size() < 120) {
                int point;
                if (first) {
                    point = openings[game % 5][0] + 15 * openings[game % 5][1];
                    first = false;
                } else {
                    const std::atomic<bool> never{false};
                    point = thinkMove(form.game().moves(), thinkingLevel(), never);
                }
                const size_t before = form.game().moves().size();
                const int paintsBefore = form.widgets().Goban0->paintCount();
                lastTick = clock.nsecsElapsed();
                longestPause = 0;
                const qint64 t0 = clock.nsecsElapsed();
                form.game().PlayPoint(static_cast<uint8_t>(point));
                if (form.game().moves().size() == before) break; // refused
                if (srFlags().thinking != 1) continue;           // game over or answered at once
                // From here on the main thread only waits: the pauses are the event loop's.
                lastTick = clock.nsecsElapsed();
                longestPause = 0;
                if (!waitFor([&] { return srFlags().thinking != 1; })) {
                    std::printf("stuck while thinking: workers %d, status %s\n",
                                form.game().runningWorkers(),
                                form.statusText().toUtf8().constData());
                    return 1;
                }
                const int paintsThinking = form.widgets().Goban0->paintCount() - paintsBefore;
                // The computer's stone is on the board once the paint box has painted after it
                // was placed.
                const int painted = paintsAtLastStone;
                if (!waitFor([&] { return form.widgets().Goban0->paintCount() != painted; })) {
                    std::printf("no paint after the computer's stone\n");
                    return 1;
                }
                const double ms = (clock.nsecsElapsed() - t0) / 1e6;
                replies.push_back(ms);
                pauses.push_back(longestPause);
                paintsWhileThinking += paintsThinking;
                thinkingMs += ms;
                std::printf(
                    "game %d move %3zu  reply %7.2f ms  event-loop pause while thinking %6.2f ms  "
                    "paints %d\n",
                    game + 1, form.game().moves().size(), ms, longestPause, paintsThinking);
            }
            std::printf("game %d: %zu moves, %s\n", game + 1, form.game().moves().size(),
                        form.statusText().toUtf8().constData());
        }
        ticker.stop();
        form.close();
    }
    std::printf("\ncomputer replies: %zu\n", replies.size());
    std::printf("user's stone -> computer's stone painted: median %.2f ms, 95th percentile %.2f "
                "ms, max %.2f ms\n",
                percentile(replies, 0.5), percentile(replies, 0.95), percentile(replies, 1.0));
    std::printf(
        "longest event-loop pause while the computer thought: median %.2f ms, max %.2f ms\n",
        percentile(pauses, 0.5), percentile(pauses, 1.0));
    std::printf("board paints while the computer thought: %d over %.0f ms\n", paintsWhileThinking,
                thinkingMs);
    return 0;
}
