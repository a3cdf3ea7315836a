#include "input_reader.h"

#include "protocol/pbrain_session.h"
#include "protocol/protocol_command.h"

#include <utility>

namespace {

bool isInterruption(const std::string& line) {
    const CommandKind kind = parseCommand(line).kind;
    return kind == CommandKind::End || kind == CommandKind::Restart;
}

} // namespace

InputReader::InputReader(std::istream& in, std::atomic<bool>& stop)
    : stop_(stop), thread_([this, &in] { run(in); }) {}

InputReader::~InputReader() {
    if (inputEnded())
        thread_.join();
    else
        thread_.detach();
}

void InputReader::run(std::istream& in) {
    Line line;
    while (readProtocolLine(in, line.text, line.tooLong)) {
        const bool interruption = !line.tooLong && isInterruption(line.text);
        std::lock_guard lock(mutex_);
        if (interruption) {
            ++interruptions_;
            if (deciding_) {
                interrupted_ = true;
                stop_ = true;
            }
        }
        lines_.push_back(std::move(line));
        line = Line{};
        ready_.notify_one();
    }
    std::lock_guard lock(mutex_);
    ended_ = true;
    if (deciding_ && lines_.empty()) {
        interrupted_ = true;
        stop_ = true;
    }
    ready_.notify_one();
}

bool InputReader::interruptionWaiting() const {
    return interruptions_ > 0 || (ended_ && lines_.empty());
}

std::optional<InputReader::Line> InputReader::next() {
    std::unique_lock lock(mutex_);
    ready_.wait(lock, [this] { return !lines_.empty() || ended_; });
    if (lines_.empty()) return std::nullopt;
    Line line = std::move(lines_.front());
    lines_.pop_front();
    if (!line.tooLong && isInterruption(line.text)) --interruptions_;
    return line;
}

void InputReader::beginDecision() {
    std::lock_guard lock(mutex_);
    deciding_ = true;
    interrupted_ = interruptionWaiting();
    stop_ = interrupted_;
}

bool InputReader::endDecision() {
    std::lock_guard lock(mutex_);
    deciding_ = false;
    stop_ = false;
    return std::exchange(interrupted_, false);
}

bool InputReader::inputEnded() {
    std::lock_guard lock(mutex_);
    return ended_;
}
