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

SearchReport SearchWorker::run() {
    if (job_.kind == SearchJob::Kind::Decision) {
        SearchReport r;
        r.bestMove = thinkMove(job_.moves, job_.level, stop_, job_.databaseDirectory);
        return r;
    }
    return analysePosition(
        job_.moves, job_.timeMs, stop_,
        [this](const SearchReport& r) {
            if (!stopped()) emit report(serial_, r);
        },
        job_.lines, job_.threads);
}
