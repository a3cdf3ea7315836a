#include "app/analysis_worker.h"

#include "engine/think.h"

AnalysisWorker::AnalysisWorker(quint64 serial, const BanHistory& moves, int64_t timeMs)
    : serial_(serial), moves_(moves), timeMs_(timeMs) {
    qRegisterMetaType<SearchReport>();
}

AnalysisWorker::~AnalysisWorker() {
    stop();
    wait();
}

void AnalysisWorker::start() {
    thread_ = std::thread([this] {
        SearchReport last;
        try {
            last = analysePosition(
                moves_, timeMs_, stop_, [this](const SearchReport& r) { emit report(serial_, r); },
                1, defaultSearchThreads());
        } catch (...) {
            last = SearchReport();
        }
        emit finished(serial_, last);
    });
}

void AnalysisWorker::wait() {
    if (thread_.joinable()) thread_.join();
}
