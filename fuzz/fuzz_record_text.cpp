// The bracketed record text reader: any text gives a record whose board agrees with the tree;
// a refused text leaves an empty record.

#include "model/move_tree.h"
#include "record_check.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    MOveTree record;
    bool ok = record.ReadRecord(in);
    checkRecordConsistent(record);
    FUZZ_CHECK(record.current() == record.root());
    if (!ok) FUZZ_CHECK(record.root()->childCount() == 0);
    // Every variation can be walked: step through all of them at the first branch.
    mainLine(record);
    while (record.Back()) checkRecordConsistent(record);
    if (record.root()->childCount() > 0 && record.Forward()) {
        for (int i = 0; i < record.root()->childCount() + 1; ++i) {
            record.NextVariation();
            checkRecordConsistent(record);
        }
    }
    return 0;
}
