// Feeds any bytes to the SVG import.
#include <cstdint>
#include <string_view>

#include "fuzz/ImportChecks.h"
#include "import/SvgImport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CheckImport(ImportSvg(std::string_view(reinterpret_cast<const char*>(data), size)));
    return 0;
}
