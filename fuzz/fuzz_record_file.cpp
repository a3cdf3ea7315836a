// Record files of every format: detection, reading, and writing back. What the record text
// writer writes, the reader must read back to the same main line; the number and binary forms,
// when detected as themselves, must give the same points.

#include "model/move_tree.h"
#include "model/record_files.h"
#include "record_check.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    uint8_t format = detectRecordFormat(bytes);
    FUZZ_CHECK(format <= kRecordUnknown);

    MOveTree record;
    bool read = record.ReadBytes(bytes);
    // Only a record text can be refused once its format is known.
    FUZZ_CHECK(read == (format != kRecordUnknown) || format == kRecordText);
    checkRecordConsistent(record);
    if (!read) {
        FUZZ_CHECK(record.root()->childCount() == 0);
        return 0;
    }
    const std::string line = mainLine(record);

    for (uint8_t f : {kRecordText, kRecordBan, kRecordBinary}) {
        record.setRecordFormat(f);
        std::string written;
        const bool wrote = record.WriteBytes(written);
        checkRecordConsistent(record);
        // The writer refuses what would not read back as its format: an empty .ban file, a
        // binary file of 225 moves, one that spells "GM" or a valid move number.
        FUZZ_CHECK(wrote == (!written.empty() && detectRecordFormat(written) == f));
        if (!wrote) {
            FUZZ_CHECK(f == kRecordBinary || (f == kRecordBan && line.empty()));
            continue;
        }
        MOveTree again;
        FUZZ_CHECK(again.ReadBytes(written));
        std::string back = mainLine(again);
        if (f == kRecordText) {
            FUZZ_CHECK(back == line);
        } else {
            // Colours are not stored: the same points, in order.
            FUZZ_CHECK(back.size() == line.size());
            for (size_t i = 0; i < back.size(); i += 3)
                FUZZ_CHECK(back[i] == line[i] && back[i + 1] == line[i + 1]);
        }
    }
    return 0;
}
