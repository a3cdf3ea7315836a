// The database loader: any text either is refused or gives entries whose written form reads
// back to the same written form.

#include "database/kdb_file.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::vector<KData> entries;
    int32_t stones = -1;
    KdbReadResult result = readKdb(in, -1, entries, stones);
    if (result != KdbReadResult::Ok) return 0;
    FUZZ_CHECK(stones >= 0 && stones < 225);
    for (const KData& e : entries) FUZZ_CHECK(e.stoneCount() == stones);

    std::ostringstream first;
    FUZZ_CHECK(writeKdb(first, stones, entries));
    std::istringstream again(first.str());
    std::vector<KData> entries2;
    int32_t stones2 = -1;
    FUZZ_CHECK(readKdb(again, stones, entries2, stones2) == KdbReadResult::Ok);
    FUZZ_CHECK(stones2 == stones && entries2.size() == entries.size());
    std::ostringstream second;
    FUZZ_CHECK(writeKdb(second, stones2, entries2));
    FUZZ_CHECK(second.str() == first.str());
    return 0;
}
