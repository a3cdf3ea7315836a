#pragma once

#include "app/search_worker.h"

#include <QObject>

#include <memory>
#include <vector>

// The one registry of the window's workers: every decision, hint and analysis runs here.
// Reports and answers reach the receiver on the main thread tagged with the worker's serial.
// A stopped worker's reports are dropped and its answer arrives empty (bestMove kNoMove), so a
// stale result can never be taken for a fresh one. A worker is joined and forgotten when its
// answer has been delivered.
class WorkerPool : public QObject {
    Q_OBJECT

  public:
    explicit WorkerPool(QObject* parent = nullptr);
    // Stops and joins every worker.
    ~WorkerPool() override;

    // Starts a worker on the job; its serial (never 0), or 0 when no thread could be started.
    quint64 start(SearchJob job);
    // Asks the worker to stop without waiting; unknown serials are ignored.
    void stop(quint64 serial);
    // Stops and joins every worker; no answer of theirs is delivered afterwards.
    void stopAll();
    // Workers not yet joined, of one kind or of all.
    int running(SearchJob::Kind kind) const;
    int running() const { return static_cast<int>(workers_.size()); }

  signals:
    void report(quint64 serial, const SearchReport& report);
    void finished(quint64 serial, const SearchReport& report);

  private:
    void workerReport(quint64 serial, const SearchReport& report);
    void workerFinished(quint64 serial, const SearchReport& report);
    SearchWorker* find(quint64 serial) const;

    std::vector<std::unique_ptr<SearchWorker>> workers_;
    quint64 nextSerial_ = 1;
};
