// The paste reader: a text is read whole or not at all. A refused text leaves the record as
// it was (same moves on the board, same tree).

#include "model/paste_reader.h"
#include "record_check.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    MOveTree record;
    record.PutMoveAlternating(7, 7);
    record.PutMoveAlternating(8, 8);
    record.Back();
    record.PutMoveAlternating(6, 6);
    const std::string before = mainLine(record);

    bool ok = readPastedRecord(record, text);
    checkRecordConsistent(record);
    if (!ok) {
        FUZZ_CHECK(record.root()->childCount() == 1);
        FUZZ_CHECK(record.root()->child(0)->childCount() == 2);
        FUZZ_CHECK(mainLine(record) == before);
    } else {
        mainLine(record);
    }
    return 0;
}
