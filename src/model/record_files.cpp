#include "model/record_files.h"

#include "base/diag.h"
#include "base/geometry.h"
#include "model/move_tree.h"

#include <climits>
#include <filesystem>
#include <fstream>
#include <istream>
#include <streambuf>
#include <string>

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Reads the next decimal integer as a formatted stream read does: white space skipped, an
// optional sign, at least one digit, no overflow. False (position unspecified) when none can
// be read.
bool nextInteger(std::string_view bytes, size_t& pos, int& value) {
    while (pos < bytes.size() && isSpace(bytes[pos])) ++pos;
    bool negative = false;
    if (pos < bytes.size() && (bytes[pos] == '+' || bytes[pos] == '-'))
        negative = bytes[pos++] == '-';
    size_t start = pos;
    long long v = 0;
    while (pos < bytes.size() && bytes[pos] >= '0' && bytes[pos] <= '9') {
        v = v * 10 + (bytes[pos++] - '0');
        if (v > static_cast<long long>(INT_MAX) + 1) return false;
    }
    if (pos == start) return false;
    if (negative) v = -v;
    if (v > INT_MAX || v < INT_MIN) return false;
    value = static_cast<int>(v);
    return true;
}

bool isBanFile(std::string_view bytes) {
    size_t pos = 0;
    int n = 0, x, y, count = 0;
    while (nextInteger(bytes, pos, n)) {
        if (!moveNumberToXY(n, x, y)) return false;
        ++count;
    }
    return count > 0;
}

// An input buffer over bytes that stay owned by the caller: a large file is not copied again.
class ViewBuffer : public std::streambuf {
  public:
    explicit ViewBuffer(std::string_view bytes) {
        // The get area is only read; ungetting the character just read never writes.
        char* p = const_cast<char*>(bytes.data());
        setg(p, p, p + bytes.size());
    }
};

// Digits, spaces and line breaks only, with at least one digit: a list of numbers and nothing
// else, which is read as the number form whether or not its numbers are points.
bool isNumberText(std::string_view bytes) {
    bool digit = false;
    for (const char c : bytes) {
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if (c != ' ' && c != '\t' && c != '\r' && c != '\n') {
            return false;
        }
    }
    return digit;
}

// A byte-form record as a game writes it: the count byte, then exactly that many different
// points. Such a file is read in the byte form even when its bytes look like number text
// (possible only for a count of 9, 10 or 13 with every move on one of the few cells whose
// byte is a digit or white space).
bool isWrittenByteRecord(std::string_view bytes) {
    if (bytes.empty() || static_cast<unsigned char>(bytes[0]) + 1u != bytes.size()) return false;
    bool seen[256] = {};
    for (size_t i = 1; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b >= kPoints || seen[b]) return false;
        seen[b] = true;
    }
    return true;
}

bool isBinaryFile(std::string_view bytes) {
    if (bytes.empty()) return false;
    size_t n = static_cast<unsigned char>(bytes[0]);
    if (n >= kPoints) return false;
    for (size_t i = 1; i <= n && i < bytes.size(); ++i)
        if (static_cast<unsigned char>(bytes[i]) >= kPoints) return false;
    return true;
}

} // namespace

uint8_t detectRecordFormat(std::string_view bytes) {
    // "GM" cannot span white space, so a word containing it is the two bytes anywhere.
    if (bytes.find("GM") != std::string_view::npos) return kRecordText;
    // A damaged list of numbers is no game in another form.
    if (isNumberText(bytes) && !isWrittenByteRecord(bytes))
        return isBanFile(bytes) ? kRecordBan : kRecordUnknown;
    if (isBanFile(bytes)) return kRecordBan;
    if (isBinaryFile(bytes)) return kRecordBinary;
    return kRecordUnknown;
}

uint8_t DetectRecordFormat(const char* name) {
    std::string bytes;
    if (!readWholeFile(name, bytes)) {
        diag(std::string("error : ") + (name ? name : "") + "can't be read");
        return kRecordUnknown;
    }
    return detectRecordFormat(bytes);
}

bool readWholeFile(const char* name, std::string& out) {
    out.clear();
    if (!name) return false;
    // Only a regular file is opened: a FIFO or a device would block in open or never end.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(name, ec)) return false;
    std::ifstream in(name, std::ios::binary);
    if (!in) return false;
    // A file is refused or read in one piece: no growing buffer doubles the memory a large
    // file takes. One whose size cannot be told is read in chunks up to the limit.
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.clear();
    if (size > static_cast<std::streamoff>(kMaxRecordFileBytes)) return false;
    if (size >= 0 && !in.seekg(0, std::ios::beg)) return false;
    if (size > 0) out.reserve(static_cast<size_t>(size));
    char chunk[65536];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        out.append(chunk, static_cast<size_t>(in.gcount()));
        if (out.size() > kMaxRecordFileBytes) {
            out.clear();
            return false;
        }
    }
    if (in.bad()) {
        out.clear();
        return false;
    }
    return true;
}

bool MOveTree::ReadBytes(std::string_view bytes) {
    switch (detectRecordFormat(bytes)) {
    case kRecordText: {
        // Read into a scratch record: a rejected text leaves this one as it was.
        ViewBuffer buffer(bytes);
        std::istream in(&buffer);
        MOveTree scratch;
        scratch.commentMode_ = commentMode_;
        if (!scratch.ReadRecord(in)) return false;
        // ReadRecord left the root current and the board empty.
        board_.Init(kBoardSize);
        root_ = std::move(scratch.root_);
        current_ = root_.get();
        depth_ = 0;
        header_ = std::move(scratch.header_);
        rootProperties_ = std::move(scratch.rootProperties_);
        gameInfo_ = std::move(scratch.gameInfo_);
        illegalMoves_ = scratch.illegalMoves_;
        return true;
    }
    case kRecordBan: {
        Clear();
        size_t pos = 0;
        int n = 0;
        while (nextInteger(bytes, pos, n)) PutMoveAlternating(n / 100 - 1, n % 100 - 1);
        return true;
    }
    case kRecordBinary: {
        Clear();
        size_t n = static_cast<unsigned char>(bytes[0]);
        for (size_t i = 1; i <= n && i < bytes.size(); ++i) {
            int b = static_cast<unsigned char>(bytes[i]);
            PutMoveAlternating(cellX(b), cellY(b));
        }
        return true;
    }
    default:
        return false;
    }
}

bool MOveTree::ReadFile(const char* name) {
    std::string bytes;
    if (!readWholeFile(name, bytes)) {
        diag(std::string("error : ") + (name ? name : "") + "can't be read");
        return false;
    }
    if (ReadBytes(bytes)) return true;
    // A list of numbers holding one that is no point is a damaged record, not another format.
    if (isNumberText(bytes)) diag(std::string("error : ") + name + "can't be read");
    return false;
}

bool MOveTree::WriteBytes(std::string& out) {
    out.clear();
    if (recordFormat_ > kRecordBinary) return false;
    SaveState();
    if (recordFormat_ == kRecordText) {
        out = RecordText();
    } else if (recordFormat_ == kRecordBan) {
        for (const MovedPos& m : board_.history()) {
            out += std::to_string(moveNumber(m.x, m.y));
            out += '\n';
        }
    } else {
        out += static_cast<char>(board_.history().size());
        for (const MovedPos& m : board_.history()) out += static_cast<char>(cellIndex(m.x, m.y));
    }
    RestoreState();
    // Formats are told apart by content alone: bytes that would read back as another format, or
    // as none (an empty ".ban", a count byte of 225), are not a record of this game.
    if (detectRecordFormat(out) != recordFormat_) {
        out.clear();
        return false;
    }
    return true;
}

bool MOveTree::WriteFile(const char* name) {
    std::string bytes;
    if (!WriteBytes(bytes)) return false;
    if (!replaceFileContents(name, bytes)) {
        diag(std::string("error : ") + (name ? name : "") + "can't be write");
        return false;
    }
    return true;
}
