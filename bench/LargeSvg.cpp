#include "bench/LargeSvg.h"

#include <fstream>
#include <random>

namespace {

std::string Number(std::mt19937& rng, int lo, int hi) {
    return std::to_string(std::uniform_int_distribution<int>(lo, hi)(rng)) + "." +
           std::to_string(std::uniform_int_distribution<int>(0, 999)(rng));
}

}  // namespace

const std::string& LargeSvg() {
    static const std::string svg = [] {
        std::mt19937 rng(3);
        std::string s = R"(<svg xmlns="http://www.w3.org/2000/svg" width="1200" height="900">)";
        s.reserve(6u << 20);
        for (int i = 0; i < 10000; ++i) {
            s += "<path fill=\"#" + std::to_string(100000 + i % 899999) + "\" stroke=\"#222\" d=\"M" +
                 Number(rng, 0, 1200) + " " + Number(rng, 0, 900);
            for (int k = 0; k < 10; ++k) {
                s += " c";
                for (int j = 0; j < 6; ++j) s += " " + Number(rng, -40, 40);
            }
            s += "z\"/>\n";
        }
        return s + "</svg>";
    }();
    return svg;
}

bool WriteBenchFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}
