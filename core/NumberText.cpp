#include "core/NumberText.h"

#include <charconv>
#include <limits>
#include <system_error>

namespace {
std::size_t DigitsEnd(std::string_view text, std::size_t at) {
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') ++at;
    return at;
}

// Whether a literal out of a double's range is too large rather than too
// small: the decimal place of its first significant digit plus its exponent.
bool Overflows(std::string_view whole, std::string_view fraction, std::string_view exponent) {
    constexpr long long kFar = 1LL << 40;  // beyond any double's exponent, far from long long's limits
    long long e = 0;
    if (!exponent.empty()) {
        const bool minus = exponent.front() == '-';
        if (minus || exponent.front() == '+') exponent.remove_prefix(1);
        if (std::from_chars(exponent.data(), exponent.data() + exponent.size(), e).ec != std::errc{} || e > kFar)
            e = kFar;
        if (minus) e = -e;
    }
    if (const std::size_t lead = whole.find_first_not_of('0'); lead != std::string_view::npos)
        return e + static_cast<long long>(whole.size() - lead) > 0;
    const std::size_t lead = fraction.find_first_not_of('0');
    return lead != std::string_view::npos && e - static_cast<long long>(lead) > 0;
}
}  // namespace

double LeadingNumber(std::string_view text) {
    std::size_t i = text.find_first_not_of(" \t");
    if (i == std::string_view::npos) return 0;
    const bool negative = text[i] == '-';
    if (negative || text[i] == '+') ++i;
    const std::size_t start = i;
    const std::size_t wholeEnd = DigitsEnd(text, start);
    std::size_t end = wholeEnd;
    if (end < text.size() && text[end] == '.') end = DigitsEnd(text, end + 1);
    if (wholeEnd == start && end <= wholeEnd + 1) return 0;  // no digit before or after the point
    const std::size_t mantissaEnd = end;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == '-' || text[exponent] == '+')) ++exponent;
        const std::size_t exponentEnd = DigitsEnd(text, exponent);
        if (exponentEnd > exponent) end = exponentEnd;  // "1e" and "1e+" stop before the "e"
    }
    double value = 0;
    const auto [ptr, ec] = std::from_chars(text.data() + start, text.data() + end, value);
    if (ec == std::errc::result_out_of_range) {
        const std::string_view whole = text.substr(start, wholeEnd - start);
        const std::string_view fraction =
            mantissaEnd > wholeEnd ? text.substr(wholeEnd + 1, mantissaEnd - wholeEnd - 1) : std::string_view{};
        const std::string_view exponent =
            end > mantissaEnd ? text.substr(mantissaEnd + 1, end - mantissaEnd - 1) : std::string_view{};
        value = Overflows(whole, fraction, exponent) ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}
