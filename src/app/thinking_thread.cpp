#include "app/thinking_thread.h"

#include "engine/think.h"

#include <utility>

ThinkingThread::ThinkingThread(quint64 serial, const BanHistory& moves, const ThinkingLevel& level,
                               std::string databaseDirectory)
    : serial_(serial), moves_(moves), level_(level), directory_(std::move(databaseDirectory)) {}

ThinkingThread::~ThinkingThread() {
    terminate();
    wait();
}

void ThinkingThread::start() {
    thread_ = std::thread([this] { execute(); });
}

void ThinkingThread::wait() {
    if (thread_.joinable()) thread_.join();
}

uint8_t ThinkingThread::result() const {
    std::lock_guard<std::mutex> hold(lock_);
    return result_;
}

void ThinkingThread::execute() {
    uint8_t r = kNoMove;
    try {
        r = thinkMove(moves_, level_, stop_, directory_);
    } catch (...) {
        r = kNoMove;
    }
    {
        std::lock_guard<std::mutex> hold(lock_);
        result_ = stop_.load() ? kNoMove : r;
    }
    emit done(serial_, result());
}
