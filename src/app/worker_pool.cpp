#include "app/worker_pool.h"

#include <algorithm>
#include <utility>

WorkerPool::WorkerPool(QObject* parent) : QObject(parent) {}

WorkerPool::~WorkerPool() {
    stopAll();
}

quint64 WorkerPool::start(SearchJob job) {
    const quint64 serial = nextSerial_++;
    try {
        auto worker = std::make_unique<SearchWorker>(serial, std::move(job));
        connect(worker.get(), &SearchWorker::report, this, &WorkerPool::workerReport,
                Qt::QueuedConnection);
        connect(worker.get(), &SearchWorker::finished, this, &WorkerPool::workerFinished,
                Qt::QueuedConnection);
        workers_.push_back(std::move(worker));
        workers_.back()->start();
    } catch (...) {
        if (!workers_.empty() && workers_.back()->serial() == serial) workers_.pop_back();
        return 0;
    }
    return serial;
}

void WorkerPool::stop(quint64 serial) {
    if (SearchWorker* w = find(serial)) w->stop();
}

void WorkerPool::stopAll() {
    for (const auto& w : workers_) w->stop();
    for (const auto& w : workers_) w->wait();
    // Their queued signals still name them; with no worker of that serial they are dropped.
    workers_.clear();
}

int WorkerPool::running(SearchJob::Kind kind) const {
    return static_cast<int>(std::count_if(workers_.begin(), workers_.end(),
                                          [kind](const auto& w) { return w->kind() == kind; }));
}

SearchWorker* WorkerPool::find(quint64 serial) const {
    const auto it = std::find_if(workers_.begin(), workers_.end(),
                                 [serial](const auto& w) { return w->serial() == serial; });
    return it == workers_.end() ? nullptr : it->get();
}

void WorkerPool::workerReport(quint64 serial, const SearchReport& r) {
    const SearchWorker* w = find(serial);
    if (w && !w->stopped()) emit report(serial, r);
}

void WorkerPool::workerFinished(quint64 serial, const SearchReport& r) {
    const auto it = std::find_if(workers_.begin(), workers_.end(),
                                 [serial](const auto& w) { return w->serial() == serial; });
    if (it == workers_.end()) return; // joined by stopAll: its answer is void
    std::unique_ptr<SearchWorker> done = std::move(*it);
    workers_.erase(it);
    done->wait();
    emit finished(serial, done->stopped() ? SearchReport() : r);
}
