#pragma once

#include "rules/ban_history.h"
#include "strong/strong_search.h"

#include <QObject>

#include <atomic>
#include <cstdint>
#include <thread>

Q_DECLARE_METATYPE(SearchReport)

// One strong search of a position on a thread of its own, for the hint and the analysis. It
// works on its own copy of the moves; its reports reach the receiver as queued signals tagged
// with its serial number, so whoever listens can drop the reports of a stopped worker.
class AnalysisWorker : public QObject {
    Q_OBJECT

  public:
    // timeMs <= 0: until stopped. Nothing runs until start().
    AnalysisWorker(quint64 serial, const BanHistory& moves, int64_t timeMs);
    // Asks the search to stop and waits for the thread (at most a few milliseconds).
    ~AnalysisWorker() override;

    // Throws std::system_error when the platform cannot start a thread.
    void start();
    // Asks the search to stop; returns at once. finished() still follows.
    void stop() { stop_.store(true); }
    void wait();
    quint64 serial() const { return serial_; }

  signals:
    // After each completed depth (emitted on the worker's thread; connect it queued).
    void report(quint64 serial, const SearchReport& report);
    // Once, with the final answer, when the search has ended.
    void finished(quint64 serial, const SearchReport& report);

  private:
    const quint64 serial_;
    BanHistory moves_;
    int64_t timeMs_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};
