// Feeds any bytes to the movie import, at the first frame and at a later one.
#include <cstdint>
#include <string_view>

#include "fuzz/ImportChecks.h"
#include "import/SwfImport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckImport(ImportSwf(bytes));
    CheckImport(ImportSwf(bytes, 3));
    return 0;
}
