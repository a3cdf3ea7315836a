#pragma once

#include "engine/thinking_level.h"
#include "rules/ban_history.h"

#include <QObject>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

// One search for the computer's move on a thread of its own. It works on its own copy of the
// moves, taken on the main thread when it is made, and never reads the game record. It has its
// own stop flag, and it reports its answer tagged with its serial number, so whoever waits can
// tell a stopped or superseded worker's answer from the one it waits for.
class ThinkingThread : public QObject {
    Q_OBJECT

  public:
    // Nothing runs until start().
    ThinkingThread(quint64 serial, const BanHistory& moves, const ThinkingLevel& level,
                   std::string databaseDirectory = {});
    // Asks the search to stop and waits for the thread.
    ~ThinkingThread() override;

    // Runs the search; done() follows exactly once. Throws std::system_error when the
    // platform cannot start a thread.
    void start();
    // Asks the search to stop; returns at once. The answer will then be 255.
    void terminate() { stop_.store(true); }
    // Waits until the thread has ended (no-op when it was never started or already joined).
    void wait();

    quint64 serial() const { return serial_; }
    // The answer: 0..224, or 255 when stopped or not yet known.
    uint8_t result() const;

  signals:
    // Emitted on the worker's own thread when the search has ended; connect it queued.
    void done(quint64 serial, int cell);

  private:
    void execute();

    const quint64 serial_;
    BanHistory moves_;
    ThinkingLevel level_;
    std::string directory_;
    std::atomic<bool> stop_{false};
    mutable std::mutex lock_;
    uint8_t result_ = 255;
    std::thread thread_;
};
