#include "import/SvgStyle.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "import/SvgGrammar.h"

namespace {

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_'; }

std::string StripComments(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "/*") == 0) {
            const std::size_t end = text.find("*/", i + 2);
            if (end == std::string_view::npos) break;
            i = end + 1;
            continue;
        }
        out += text[i];
    }
    return out;
}

// One compound selector; false when it uses anything beyond type, classes and id.
bool ParseSelector(std::string_view s, CssRule& rule) {
    s = Trimmed(s);
    if (s.empty()) return false;
    std::size_t i = 0;
    if (s[0] == '*') {
        i = 1;
    } else {
        while (i < s.size() && IsNameChar(s[i])) ++i;
        rule.Type = Lower(s.substr(0, i));
    }
    int ids = 0, classes = 0;
    while (i < s.size()) {
        const char mark = s[i++];
        std::size_t start = i;
        while (i < s.size() && IsNameChar(s[i])) ++i;
        if (i == start || (mark != '.' && mark != '#')) return false;
        if (mark == '.') {
            rule.Classes.emplace_back(s.substr(start, i - start));
            ++classes;
        } else {
            rule.Id = std::string(s.substr(start, i - start));
            ++ids;
        }
    }
    rule.Specificity = ids * 10000 + classes * 100 + (rule.Type.empty() ? 0 : 1);
    return true;
}

std::vector<std::string_view> Split(std::string_view s, char by) {
    std::vector<std::string_view> out;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= s.size(); ++i)
        if (i == s.size() || s[i] == by) {
            out.push_back(s.substr(start, i - start));
            start = i + 1;
        }
    return out;
}

bool HasClass(std::string_view list, std::string_view name) {
    std::size_t i = 0;
    while (i < list.size()) {
        while (i < list.size() && std::isspace(static_cast<unsigned char>(list[i]))) ++i;
        const std::size_t start = i;
        while (i < list.size() && !std::isspace(static_cast<unsigned char>(list[i]))) ++i;
        if (list.substr(start, i - start) == name) return true;
    }
    return false;
}

// The arguments of "name(a, b, c)" or "name(a b c / d)".
std::optional<std::vector<std::string_view>> FunctionArguments(std::string_view text, std::string_view name) {
    if (text.size() < name.size() + 2 || Lower(text.substr(0, name.size())) != name || text[name.size()] != '(' ||
        text.back() != ')')
        return std::nullopt;
    std::string_view body = text.substr(name.size() + 1, text.size() - name.size() - 2);
    std::vector<std::string_view> args;
    std::size_t i = 0;
    while (i < body.size()) {
        while (i < body.size() && (std::isspace(static_cast<unsigned char>(body[i])) || body[i] == ',')) ++i;
        if (i >= body.size()) break;
        if (body[i] == '/') {
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < body.size() && !std::isspace(static_cast<unsigned char>(body[i])) && body[i] != ',' &&
               body[i] != '/')
            ++i;
        args.push_back(body.substr(start, i - start));
    }
    return args;
}

// A number or percentage scaled so that 100 % gives `full`.
bool Channel(std::string_view s, double full, double& out) {
    if (!s.empty() && s.back() == '%') {
        if (!ParseNumber(s.substr(0, s.size() - 1), out)) return false;
        out = out * full / 100;
        return true;
    }
    return ParseNumber(s, out);
}

std::uint8_t Byte(double v) { return static_cast<std::uint8_t>(std::clamp(std::nearbyint(v), 0.0, 255.0)); }

double HueToRgb(double m1, double m2, double h) {
    h -= std::floor(h);
    if (h * 6 < 1) return m1 + (m2 - m1) * h * 6;
    if (h * 2 < 1) return m2;
    if (h * 3 < 2) return m1 + (m2 - m1) * (2.0 / 3 - h) * 6;
    return m1;
}

std::optional<Rgba> FunctionalColor(std::string_view text) {
    auto args = FunctionArguments(text, "rgba");
    if (!args) args = FunctionArguments(text, "rgb");
    if (args && (args->size() == 3 || args->size() == 4)) {
        double c[4] = {0, 0, 0, 1};
        for (std::size_t i = 0; i < args->size(); ++i)
            if (!Channel((*args)[i], i < 3 ? 255 : 1, c[i])) return std::nullopt;
        return Rgba{Byte(c[0]), Byte(c[1]), Byte(c[2]), std::clamp(c[3], 0.0, 1.0)};
    }
    args = FunctionArguments(text, "hsla");
    if (!args) args = FunctionArguments(text, "hsl");
    if (args && (args->size() == 3 || args->size() == 4)) {
        std::string_view hue = (*args)[0];
        if (hue.size() > 3 && hue.substr(hue.size() - 3) == "deg") hue.remove_suffix(3);
        double h = 0, s = 0, l = 0, a = 1;
        if (!ParseNumber(hue, h) || !Channel((*args)[1], 1, s) || !Channel((*args)[2], 1, l) ||
            (args->size() == 4 && !Channel((*args)[3], 1, a)))
            return std::nullopt;
        s = std::clamp(s, 0.0, 1.0);
        l = std::clamp(l, 0.0, 1.0);
        const double m2 = l <= 0.5 ? l * (s + 1) : l + s - l * s, m1 = l * 2 - m2;
        h /= 360;
        return Rgba{Byte(255 * HueToRgb(m1, m2, h + 1.0 / 3)), Byte(255 * HueToRgb(m1, m2, h)),
                    Byte(255 * HueToRgb(m1, m2, h - 1.0 / 3)), std::clamp(a, 0.0, 1.0)};
    }
    return std::nullopt;
}

// #rgba and #rrggbbaa, which carry opacity.
std::optional<Rgba> HexWithAlpha(std::string_view text) {
    if (text.empty() || text[0] != '#' || (text.size() != 5 && text.size() != 9)) return std::nullopt;
    unsigned v[8];
    for (std::size_t i = 1; i < text.size(); ++i) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
        if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
        v[i - 1] = static_cast<unsigned>(c <= '9' ? c - '0' : c - 'a' + 10);
    }
    const bool shortForm = text.size() == 5;
    const auto at = [&](int k) { return shortForm ? v[k] * 17 : v[2 * k] * 16 + v[2 * k + 1]; };
    return Rgba{static_cast<std::uint8_t>(at(0)), static_cast<std::uint8_t>(at(1)), static_cast<std::uint8_t>(at(2)),
                at(3) / 255.0};
}

}  // namespace

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

Declarations ParseDeclarations(std::string_view text) {
    Declarations out;
    for (std::string_view item : Split(text, ';')) {
        const std::size_t colon = item.find(':');
        if (colon == std::string_view::npos) continue;
        std::string_view name = Trimmed(item.substr(0, colon)), value = Trimmed(item.substr(colon + 1));
        if (const std::size_t bang = value.find("!important"); bang != std::string_view::npos)
            value = Trimmed(value.substr(0, bang));
        if (!name.empty() && !value.empty()) out.emplace_back(Lower(name), std::string(value));
    }
    return out;
}

void ParseStyleSheet(std::string_view text, std::vector<CssRule>& rules) {
    const std::string clean = StripComments(text);
    std::string_view s = clean;
    std::size_t i = 0;
    while (i < s.size()) {
        const std::size_t open = s.find('{', i);
        if (open == std::string_view::npos) break;
        const std::string_view prelude = Trimmed(s.substr(i, open - i));
        // The block's end, past nested blocks of at-rules.
        std::size_t close = open + 1;
        for (int depth = 1; close < s.size() && depth > 0; ++close) depth += s[close] == '{' ? 1 : s[close] == '}' ? -1 : 0;
        const std::string_view body = s.substr(open + 1, close - open - 2 < s.size() ? close - open - 2 : 0);
        i = close;
        if (prelude.empty() || prelude[0] == '@') continue;
        const Declarations values = ParseDeclarations(body);
        for (std::string_view selector : Split(prelude, ',')) {
            CssRule rule;
            if (!ParseSelector(selector, rule)) continue;
            rule.Order = rules.size();
            rule.Values = values;
            rules.push_back(std::move(rule));
        }
    }
}

Declarations MatchRules(const std::vector<CssRule>& rules, std::string_view type, std::string_view id,
                        std::string_view classAttribute) {
    std::vector<const CssRule*> matched;
    for (const CssRule& r : rules) {
        if (!r.Type.empty() && r.Type != type) continue;
        if (!r.Id.empty() && r.Id != id) continue;
        if (!std::all_of(r.Classes.begin(), r.Classes.end(),
                         [&](const std::string& c) { return HasClass(classAttribute, c); }))
            continue;
        matched.push_back(&r);
    }
    std::stable_sort(matched.begin(), matched.end(), [](const CssRule* a, const CssRule* b) {
        return a->Specificity != b->Specificity ? a->Specificity < b->Specificity : a->Order < b->Order;
    });
    Declarations out;
    for (const CssRule* r : matched) out.insert(out.end(), r->Values.begin(), r->Values.end());
    return out;
}

std::optional<Rgba> ParseColor(std::string_view text) {
    text = Trimmed(text);
    if (Lower(text) == "transparent") return Rgba{0, 0, 0, 0};
    if (auto c = HexWithAlpha(text)) return c;
    if (auto c = FunctionalColor(text)) return c;
    std::uint32_t rgb = 0;
    const std::string lower = Lower(text);  // keywords are case-insensitive
    if (!ParseSvgColor(lower, rgb)) return std::nullopt;
    return Rgba{static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
                static_cast<std::uint8_t>(rgb), 1};
}

bool ParseNumber(std::string_view text, double& out) {
    text = Trimmed(text);
    if (text.empty() || text.size() > 64) return false;
    const std::string s(text);
    const char c0 = s[0];
    if (!(std::isdigit(static_cast<unsigned char>(c0)) || c0 == '-' || c0 == '+' || c0 == '.')) return false;
    char* end = nullptr;
    out = std::strtod(s.c_str(), &end);
    return end == s.c_str() + s.size() && std::isfinite(out);
}

bool ParseLength(std::string_view text, double percentOf, double& out) {
    text = Trimmed(text);
    struct Unit {
        std::string_view Name;
        double Px;
    };
    static constexpr Unit Units[] = {{"px", 1},           {"pt", 96.0 / 72}, {"pc", 16},   {"mm", 96 / 25.4},
                                     {"cm", 96 / 2.54},   {"in", 96},        {"em", 16},   {"ex", 8}};
    if (!text.empty() && text.back() == '%') {
        if (!ParseNumber(text.substr(0, text.size() - 1), out)) return false;
        out = out * percentOf / 100;
        return true;
    }
    for (const Unit& u : Units)
        if (text.size() > u.Name.size() && Lower(text.substr(text.size() - u.Name.size())) == u.Name) {
            if (!ParseNumber(text.substr(0, text.size() - u.Name.size()), out)) return false;
            out *= u.Px;
            return true;
        }
    return ParseNumber(text, out);
}
