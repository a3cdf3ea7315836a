#pragma once

#include "player/strong/strong_search.h"
#include "player/thinking_level.h"
#include "rules/ban_history.h"

#include <QObject>

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

Q_DECLARE_METATYPE(SearchReport)

// What a worker is asked to do with a position.
struct SearchJob {
    enum class Kind { Decision, Hint, Analysis };

    Kind kind = Kind::Decision;
    // The moves of the position, copied on the main thread when the job is made.
    BanHistory moves;
    // A decision: the computer's player and the openings database folder ("" for none).
    ThinkingLevel level = ThinkingLevel::standard();
    std::string databaseDirectory;
    // A hint or analysis: the strong search's time; <= 0 until stopped.
    int64_t timeMs = 0;
    // An analysis: how many candidate lines it asks for (the search gives one until it can
    // give more).
    int lines = 1;
    // A hint or analysis: the strong search's threads.
    int threads = 1;
};

// One job on a thread of its own. It reads only its own copy of the moves. A decision's answer
// is the report's bestMove (kNoMove for none); a hint or analysis also reports after each
// completed depth. Once stopped, it reports nothing more and its final answer is empty.
class SearchWorker : public QObject {
    Q_OBJECT

  public:
    // Nothing runs until start().
    SearchWorker(quint64 serial, SearchJob job);
    // Asks the job to stop and waits for the thread.
    ~SearchWorker() override;

    // Throws std::system_error when the platform cannot start a thread; finished() follows
    // exactly once otherwise.
    void start();
    // Asks the job to stop; returns at once.
    void stop() { stop_.store(true); }
    bool stopped() const { return stop_.load(); }
    // Waits until the thread has ended (no-op when never started or already joined).
    void wait();

    quint64 serial() const { return serial_; }
    SearchJob::Kind kind() const { return job_.kind; }

  signals:
    // Emitted on the worker's thread; connect them queued.
    void report(quint64 serial, const SearchReport& report);
    void finished(quint64 serial, const SearchReport& report);

  private:
    SearchReport run();

    const quint64 serial_;
    const SearchJob job_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};
