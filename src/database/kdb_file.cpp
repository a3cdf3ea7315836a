#include "database/kdb_file.h"

#include "base/geometry.h"

#include <charconv>
#include <cstdio>
#include <functional>
#include <istream>
#include <ostream>
#include <streambuf>
#include <string_view>

namespace {

// Characters kept of one physical line; the tag and 224 stones fit many times over, and the
// part after the stones is read only up to kKdbMaxRest characters anyway.
constexpr size_t kLineCap = 65536;

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// Reads one line without its '\n', keeping at most kLineCap characters and skipping the rest
// (cut is then set). False at the end of the input when nothing was read.
bool readLine(std::streambuf& buf, std::string& line, bool& cut) {
    line.clear();
    cut = false;
    bool any = false;
    for (;;) {
        const int c = buf.sbumpc();
        if (c == std::char_traits<char>::eof()) return any;
        any = true;
        if (c == '\n') return true;
        if (line.size() < kLineCap) {
            line.push_back(static_cast<char>(c));
        } else {
            cut = true;
        }
    }
}

// Whitespace-separated fields of a line.
class Fields {
  public:
    explicit Fields(std::string_view s) : s_(s) {}
    // The next field; false when only whitespace remains.
    bool next(std::string_view& field) {
        while (pos_ < s_.size() && isSpace(s_[pos_])) ++pos_;
        if (pos_ == s_.size()) return false;
        const size_t start = pos_;
        while (pos_ < s_.size() && !isSpace(s_[pos_])) ++pos_;
        field = s_.substr(start, pos_ - start);
        return true;
    }
    size_t position() const { return pos_; }

  private:
    std::string_view s_;
    size_t pos_ = 0;
};

// A whole field as a decimal 32-bit number with an optional sign; false for anything else
// (junk, a number followed by other characters, a value that does not fit).
bool parseInt32(std::string_view field, int32_t& value) {
    if (!field.empty() && field.front() == '+') field.remove_prefix(1);
    if (field.empty() || field.front() == '+') return false;
    const char* end = field.data() + field.size();
    const auto [ptr, ec] = std::from_chars(field.data(), end, value);
    return ec == std::errc() && ptr == end;
}

// A stone or move number: values that fit a byte are kept (225..255 are no points, but they
// survive a load and save unchanged); anything else becomes 255 instead of wrapping onto a
// real cell.
uint8_t cellByte(int32_t v) {
    return v >= 0 && v <= 255 ? static_cast<uint8_t>(v) : kNoMove;
}

bool nextInt(Fields& f, int32_t& v) {
    std::string_view field;
    return f.next(field) && parseInt32(field, v);
}

// The next line that holds any field; false at the end of the input.
bool readNonBlankLine(std::streambuf& buf, std::string& line, bool& cut) {
    while (readLine(buf, line, cut)) {
        std::string_view field;
        Fields f(line);
        if (f.next(field)) return true;
    }
    return false;
}

// Reads the continuations from the part of an entry line after its stones: move and value
// pairs, up to the first field that is not a number or a pair left incomplete. Only the first
// kKdbMaxRest characters count; a field cut by that limit is dropped. False when any of the
// text was left unread.
bool readContinuations(std::string_view rest, bool lineCut, KData& entry) {
    bool fieldCut = false;
    bool all = !lineCut;
    if (rest.size() > kKdbMaxRest) {
        fieldCut = !isSpace(rest[kKdbMaxRest]);
        for (size_t i = kKdbMaxRest; all && i < rest.size(); ++i) all = isSpace(rest[i]);
        rest = rest.substr(0, kKdbMaxRest);
    } else if (lineCut) {
        fieldCut = true;
    }
    if (fieldCut) {
        size_t keep = rest.size();
        while (keep > 0 && !isSpace(rest[keep - 1])) --keep;
        rest = rest.substr(0, keep);
    }
    Fields f(rest);
    int32_t move = 0;
    int32_t value = 0;
    while (nextInt(f, move) && nextInt(f, value)) {
        entry.continuations.push_back(KDataElement{cellByte(move), value});
    }
    Fields after(rest);
    std::string_view field;
    for (size_t i = 0; i < 2 * entry.continuations.size(); ++i) after.next(field);
    return all && !fieldCut && !after.next(field);
}

} // namespace

std::string kdbDirectoryPart(const std::string& path) {
    if (path.empty()) return std::string();
    const size_t cut = path.find_last_of(":/\\");
    if (cut == std::string::npos) return path + "/";
    return path.substr(0, cut + 1);
}

std::string kdbFolderPath(std::string folder) {
    if (!folder.empty() && folder.back() != '/' && folder.back() != '\\' && folder.back() != ':')
        folder += '/';
    return folder;
}

std::string kdbFileName(int n, const std::string& path) {
    char name[32];
    std::snprintf(name, sizeof name, "kelp%03d.kdb", n);
    return kdbDirectoryPart(path) + name;
}

KdbReadResult readKdbEach(std::istream& in, int expectedStones, int32_t& stones,
                          const std::function<void(const KData&)>& onEntry, bool* whole) {
    bool complete = true;
    if (whole) *whole = false;
    std::streambuf* buf = in.rdbuf();
    if (!buf) return KdbReadResult::BadVersion;
    std::string line;
    bool cut = false;

    if (!readNonBlankLine(*buf, line, cut)) return KdbReadResult::BadVersion;
    Fields header(line);
    int32_t version = 0;
    if (!nextInt(header, version) || version < kKdbVersion) return KdbReadResult::BadVersion;
    int32_t entryCount = 0;
    int32_t stoneCount = 0;
    if (!nextInt(header, entryCount) || !nextInt(header, stoneCount)) {
        return KdbReadResult::BadCount;
    }
    if (stoneCount < 0 || stoneCount >= kPoints) return KdbReadResult::BadCount;
    if (expectedStones >= 0 && stoneCount != expectedStones) return KdbReadResult::BadCount;

    KData entry(stoneCount);
    for (int32_t k = 0; k < entryCount; ++k) {
        if (!readNonBlankLine(*buf, line, cut)) { // fewer lines than the header promised
            complete = false;
            break;
        }
        Fields f(line);
        entry.continuations.clear();
        bool entire = nextInt(f, entry.tag);
        for (int i = 0; entire && i < stoneCount; ++i) {
            int32_t v = 0;
            entire = nextInt(f, v);
            entry.stones[i] = cellByte(v);
        }
        if (!entire) { // truncated or damaged entry line: dropped
            complete = false;
            continue;
        }
        if (!readContinuations(std::string_view(line).substr(f.position()), cut, entry))
            complete = false;
        onEntry(entry);
    }
    stones = stoneCount;
    if (whole) *whole = complete;
    return KdbReadResult::Ok;
}

KdbReadResult readKdb(std::istream& in, int expectedStones, std::vector<KData>& entries,
                      int32_t& stones, bool* whole) {
    std::vector<KData> read;
    int32_t count = 0;
    const KdbReadResult result = readKdbEach(
        in, expectedStones, count, [&read](const KData& entry) { read.push_back(entry); }, whole);
    if (result == KdbReadResult::Ok) {
        entries = std::move(read);
        stones = count;
    }
    return result;
}

bool writeKdb(std::ostream& out, int32_t stones, const std::vector<KData>& entries) {
    std::string text = std::to_string(kKdbVersion) + " " + std::to_string(entries.size()) + " " +
                       std::to_string(stones) + "\r\n";
    for (const KData& e : entries) {
        text += std::to_string(e.tag);
        text += ' ';
        for (int i = 0; i < e.stoneCount(); ++i) {
            text += std::to_string(e.stones[i]);
            text += ' ';
        }
        for (size_t c = 0; c < e.continuations.size(); ++c) {
            if (c > 0) text += ' ';
            text += std::to_string(e.continuations[c].move);
            text += ' ';
            text += std::to_string(e.continuations[c].value);
        }
        text += "\r\n";
    }
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    return static_cast<bool>(out);
}
