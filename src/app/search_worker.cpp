#include "app/search_worker.h"

#include "player/think.h"

#include <utility>

SearchWorker::SearchWorker(quint64 serial, SearchJob job) : serial_(serial), job_(std::move(job)) {
    qRegisterMetaType<SearchReport>();
}

SearchWorker::~SearchWorker() {
    stop();
    wait();
}

void SearchWorker::start() {
    thread_ = std::thread([this] {
        SearchReport last;
        try {
            last = run();
        } catch (...) {
            last = SearchReport();
        }
        if (stopped()) last = SearchReport();
        emit finished(serial_, last);
    });
}

void SearchWorker::wait() {
    if (thread_.joinable()) thread_.join();
}

// Each job has a thread of its own, so the strong search keeps its table and the win it began
// across threads: the next decision, hint or analysis goes on from what the last one found.
SearchReport SearchWorker::run() {
    if (job_.kind == SearchJob::Kind::Decision) {
        ThinkingLevel level = job_.level;
        if (StrongSettings* strong = level.strongSettings()) strong->keepAcrossThreads = true;
        SearchReport r;
        r.bestMove = thinkMove(job_.moves, level, stop_, job_.databaseDirectory);
        return r;
    }
    return analysePosition(
        job_.moves, job_.timeMs, stop_,
        [this](const SearchReport& r) {
            if (!stopped()) emit report(serial_, r);
        },
        job_.lines, job_.threads, true);
}
