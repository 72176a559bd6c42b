#include "core/NumberText.h"

#include <cstdlib>
#include <string>

double LeadingNumber(std::string_view text) {
    std::size_t i = text.find_first_not_of(" \t");
    if (i == std::string_view::npos) return 0;
    const std::size_t start = i;
    if (text[i] == '-' || text[i] == '+') ++i;
    const auto digitsFrom = [&](std::size_t at) {
        std::size_t end = at;
        while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
        return end;
    };
    std::size_t end = digitsFrom(i);
    bool digits = end > i;
    if (end < text.size() && text[end] == '.') {
        const std::size_t fractionEnd = digitsFrom(end + 1);
        digits = digits || fractionEnd > end + 1;
        end = fractionEnd;
    }
    if (!digits) return 0;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == '-' || text[exponent] == '+')) ++exponent;
        const std::size_t exponentEnd = digitsFrom(exponent);
        if (exponentEnd > exponent) end = exponentEnd;  // "1e" and "1e+" stop before the "e"
    }
    return std::strtod(std::string(text.substr(start, end - start)).c_str(), nullptr);
}
