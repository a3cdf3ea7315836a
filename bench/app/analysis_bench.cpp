// Times the hint and the analysis in the real window on positions of a game played by the
// standard engine: the hint from the command to the marked point; the analysis from switching
// it on to its first report, from a new stone to the first report on the new position, and
// from switching it off to its worker joined; and the longest pause of the event loop (a 1 ms
// timer on the main thread) while the analysis runs.
//
//   sorell-analysis-bench [positions]        (QT_QPA_PLATFORM=offscreen works)

#include "app/analysis_control.h"
#include "app/game_flow.h"
#include "app/main_form.h"
#include "app/sorell_process.h"
#include "app/ui_seam.h"
#include "player/think.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

double percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<size_t>(p * (v.size() - 1) + 0.5))];
}

template <class F> bool waitFor(F done) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > 30000) return false;
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

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

void report(const char* what, const std::vector<double>& v) {
    std::printf("%-44s median %8.2f ms  max %8.2f ms  (%zu)\n", what, percentile(v, 0.5),
                percentile(v, 1.0), v.size());
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int positions = argc > 1 ? std::max(1, atoi(argv[1])) : 8;
    QTemporaryDir dir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.filePath("settings"));
    QDir().mkpath(dir.filePath("work"));
    QDir::setCurrent(dir.filePath("work"));
    QuietSeam seam;

    std::vector<double> hint, firstReport, follow, stop, pauses;
    {
        SorellProcess process;
        srOption().sound = 0;
        srOption().inputAssistant = 0;
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
        });
        ticker.start();
        auto since = [&](qint64 t0) { return (clock.nsecsElapsed() - t0) / 1e6; };

        form.game().PutStone(7, 7);
        for (int i = 0; i < positions; ++i) {
            qint64 t0 = clock.nsecsElapsed();
            form.analysis().ShowHint();
            if (!waitFor([&] { return form.analysis().overlay().hint != kNoMove; })) return 1;
            hint.push_back(since(t0));

            t0 = clock.nsecsElapsed();
            form.analysis().SetAnalysis(true);
            if (!waitFor([&] { return !form.analysis().analysisText().isEmpty(); })) return 1;
            firstReport.push_back(since(t0));

            const std::atomic<bool> never{false};
            const int point = thinkMove(form.game().moves(), thinkingLevel(), never);
            t0 = clock.nsecsElapsed();
            form.game().PlayPoint(static_cast<uint8_t>(point));
            if (!waitFor([&] { return !form.analysis().analysisText().isEmpty(); })) return 1;
            follow.push_back(since(t0));
            // Let it run a while (the main thread only handles events), then switch it off.
            lastTick = clock.nsecsElapsed();
            longestPause = 0;
            QElapsedTimer run;
            run.start();
            waitFor([&] { return run.elapsed() > 500; });
            pauses.push_back(longestPause);
            t0 = clock.nsecsElapsed();
            form.analysis().SetAnalysis(false);
            if (!waitFor([&] { return form.analysis().runningAnalysers() == 0; })) return 1;
            stop.push_back(since(t0));
            std::printf("position %2zu: hint %.1f ms, first report %.1f ms, follow %.1f ms, "
                        "stop %.1f ms, longest pause %.1f ms\n",
                        form.game().moves().size() - 1, hint.back(), firstReport.back(),
                        follow.back(), stop.back(), pauses.back());
            const int reply = thinkMove(form.game().moves(), thinkingLevel(), never);
            if (!form.game().PutStone(reply % 15, reply / 15)) break;
        }
        ticker.stop();
        form.close();
    }
    report("hint: command -> marked point", hint);
    report("analysis on -> first report", firstReport);
    report("new stone -> first report on it", follow);
    report("analysis off -> worker joined", stop);
    report("longest event-loop pause while analysing", pauses);
    return 0;
}
