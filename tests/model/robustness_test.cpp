// Thousands of random, truncated and mutated inputs (fixed seeds) through every reader: the
// file reader of each format, the record text reader and the paste reader. None may crash or
// hang, and afterwards the tree, the current node and the board must agree; a refused input
// leaves the record as it was.
#include "model/paste_reader.h"
#include "model/record_files.h"
#include "model_test_support.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

namespace {

class InputMaker {
  public:
    explicit InputMaker(uint32_t seed) : rng_(seed) { buildCorpus(); }

    std::string next() {
        std::string s = corpus_[pick(corpus_.size())];
        int rounds = 1 + static_cast<int>(pick(4));
        for (int i = 0; i < rounds; ++i) mutate(s);
        return s;
    }

  private:
    size_t pick(size_t n) {
        return n == 0 ? 0 : std::uniform_int_distribution<size_t>(0, n - 1)(rng_);
    }

    void buildCorpus() {
        corpus_ = {
            "(;GM[4]SZ[15]RU[Renju 1998];B[hh]C[3](;W[ih];B[ii]C[-4])(;W[hi]C[x]C[9]))",
            "(;GM[1];B[hh];W[ih];B[hi];W[ii];B[hj])",
            "808\n909\n810\n1011\n",
            "808 909\r\n707 606 end",
            "h8,i7,j9,kA,**,",
            "H8, i9 ,\nJ10,**,",
            std::string("\x05\x70\x71\x72\x60\x61", 6),
            std::string("\xc8\x01\x02\x03", 4),
            "",
        };
        // Records with variations written by the writer, and their move texts.
        for (int k = 0; k < 6; ++k) {
            MOveTree r;
            for (int step = 0; step < 30; ++step) {
                if (pick(5) == 0)
                    r.Back();
                else
                    r.PutMoveAlternating(static_cast<int>(pick(15)), static_cast<int>(pick(15)));
                if (pick(7) == 0) r.SetValue(static_cast<int>(pick(2000)) - 1000);
            }
            corpus_.push_back(r.board().history().moveText());
            r.setRecordFormat(static_cast<uint8_t>(k % 3));
            std::string bytes;
            r.WriteBytes(bytes);
            corpus_.push_back(bytes);
            r.setRecordFormat(kRecordText);
            r.WriteBytes(bytes);
            corpus_.push_back(bytes);
        }
    }

    void mutate(std::string& s) {
        static const char* const kTokens[] = {
            "(",     ")",  ";",  "[",   "]",    "B[",  "W[", "C[",  ";B[hh]", "GM[4]",     "GM[7]",
            "RU[x]", "\n", "hh", "808", "1600", "**,", ",",  "h8,", " ",      "C[-20000]", "((("};
        switch (pick(8)) {
        case 0: // truncate
            s.resize(pick(s.size() + 1));
            break;
        case 1: // change bytes
            for (size_t k = pick(4) + 1; k > 0 && !s.empty(); --k)
                s[pick(s.size())] = static_cast<char>(pick(256));
            break;
        case 2: // insert syntax
            for (size_t k = pick(4) + 1; k > 0; --k)
                s.insert(pick(s.size() + 1), kTokens[pick(std::size(kTokens))]);
            break;
        case 3: // delete a range
            if (!s.empty()) {
                size_t at = pick(s.size());
                s.erase(at, pick(s.size() - at) + 1);
            }
            break;
        case 4: // repeat a range
            if (!s.empty()) {
                size_t at = pick(s.size());
                std::string part = s.substr(at, pick(40) + 1);
                for (size_t k = pick(5) + 1; k > 0; --k) s.insert(at, part);
            }
            break;
        case 5: { // random bytes
            static const std::string kAlphabet = "();[]BWCGMRUabhiow0189*, \n";
            s.clear();
            for (size_t n = pick(300); n > 0; --n)
                s +=
                    pick(3) == 0 ? static_cast<char>(pick(256)) : kAlphabet[pick(kAlphabet.size())];
            break;
        }
        case 6: // splice with another input
        {
            const std::string& other = corpus_[pick(corpus_.size())];
            s = s.substr(0, pick(s.size() + 1)) + other.substr(pick(other.size() + 1));
        } break;
        default: // deep nesting now and then
            if (pick(4) == 0) s.insert(0, std::string(pick(1500), '('));
            break;
        }
    }

    std::mt19937 rng_;
    std::vector<std::string> corpus_;
};

constexpr int kInputs = 1500;

} // namespace

TEST(Robustness, FileReaderOfEveryFormat) {
    InputMaker inputs(20240601);
    TempDir dir;
    MOveTree r;
    int formats[4] = {};
    testing::internal::CaptureStderr();
    for (int i = 0; i < kInputs; ++i) {
        std::string bytes = inputs.next();
        uint8_t format = detectRecordFormat(bytes);
        ++formats[format];
        std::string before = snapshot(r);
        bool read;
        if (i % 25 == 0) { // now and then through a real file
            writeBytes(dir.file("in"), bytes);
            read = r.ReadFile(dir.file("in").c_str());
        } else {
            read = r.ReadBytes(bytes);
        }
        if (format == kRecordText) {
            MOveTree check; // a text is read exactly when the text reader accepts it
            std::istringstream in(bytes);
            EXPECT_EQ(read, check.ReadRecord(in));
        } else {
            EXPECT_EQ(read, format != kRecordUnknown);
        }
        if (!read) {
            EXPECT_EQ(snapshot(r), before);
        }
        expectConsistent(r, i % 20 == 0);
        if (HasFailure()) {
            testing::internal::GetCapturedStderr();
            FAIL() << "input " << i << ": " << testing::PrintToString(bytes);
        }
        // Whatever was read survives its own text unchanged.
        if (read && i % 10 == 0) {
            std::string text = r.RecordText();
            MOveTree back;
            ASSERT_TRUE(back.ReadBytes(text));
            ASSERT_EQ(back.RecordText(), text) << testing::PrintToString(bytes);
        }
    }
    testing::internal::GetCapturedStderr();
    for (int f = 0; f < 4; ++f) EXPECT_GT(formats[f], kInputs / 50) << "format " << f;
}

TEST(Robustness, RecordTextReader) {
    InputMaker inputs(777);
    MOveTree r;
    int accepted = 0;
    testing::internal::CaptureStderr();
    for (int i = 0; i < kInputs; ++i) {
        std::string text = inputs.next();
        std::istringstream in(text);
        bool ok = r.ReadRecord(in);
        accepted += ok;
        if (!ok) {
            EXPECT_EQ(r.root()->childCount(), 0);
        }
        EXPECT_EQ(r.current(), r.root());
        expectConsistent(r, i % 20 == 0);
        while (r.Forward()) {
        }
        expectConsistent(r, i % 20 == 0);
        if (HasFailure()) {
            testing::internal::GetCapturedStderr();
            FAIL() << "input " << i << ": " << testing::PrintToString(text);
        }
    }
    testing::internal::GetCapturedStderr();
    EXPECT_GT(accepted, kInputs / 4);
    EXPECT_LT(accepted, kInputs);
}

TEST(Robustness, PasteReader) {
    InputMaker inputs(4242);
    MOveTree r;
    playLine(r, "h8 i9");
    int accepted = 0;
    testing::internal::CaptureStderr();
    for (int i = 0; i < kInputs; ++i) {
        std::string text = inputs.next();
        std::string before = snapshot(r);
        bool ok = readPastedRecord(r, text);
        accepted += ok;
        if (!ok) {
            EXPECT_EQ(snapshot(r), before);
        }
        expectConsistent(r, i % 20 == 0);
        if (HasFailure()) {
            testing::internal::GetCapturedStderr();
            FAIL() << "input " << i << ": " << testing::PrintToString(text);
        }
    }
    testing::internal::GetCapturedStderr();
    EXPECT_GT(accepted, kInputs / 20);
    EXPECT_LT(accepted, kInputs);
}
