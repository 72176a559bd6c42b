#include "core/Settings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "core/FieldText.h"
#include "core/NumberText.h"

namespace {
const std::string kMain = "Lumivane";
const std::string kCanvas = "Canvas";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The stored number rounded half to even when it fits min..max; nothing otherwise.
std::optional<std::int64_t> WholeIn(const IniLookup& lookup, const std::string& section, const std::string& key,
                                    std::int64_t min, std::int64_t max) {
    const auto text = lookup(section, key);
    if (!text) return std::nullopt;
    const double v = std::nearbyint(LeadingNumber(*text));
    if (!(v >= static_cast<double>(min) && v <= static_cast<double>(max))) return std::nullopt;
    return static_cast<std::int64_t>(v);
}

template <typename T>
void ReadWhole(const IniLookup& lookup, const std::string& section, const std::string& key, T& field, T fallback,
               std::int64_t min = std::numeric_limits<T>::min()) {
    const auto v = WholeIn(lookup, section, key, min, std::numeric_limits<T>::max());
    field = v ? static_cast<T>(*v) : fallback;
}

// A canvas side; a stored number beyond the sides taken reads as the nearer one.
void ReadCanvasSide(const IniLookup& lookup, const std::string& key, std::int32_t& field, std::int32_t fallback) {
    const auto text = lookup(kCanvas, key);
    const double v = text ? std::nearbyint(LeadingNumber(*text)) : NAN;
    field = std::isnan(v) ? fallback : ClampCanvasSide(static_cast<std::int64_t>(std::clamp(v, -1e9, 1e9)));
}

void ReadTwips(const IniLookup& lookup, const std::string& key, double& field) {
    const auto text = lookup(kMain, key);
    if (!text) return;
    const double v = LeadingNumber(*text);
    if (std::abs(v) <= std::numeric_limits<float>::max()) field = static_cast<float>(v);
}

int HexDigit(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::optional<std::int32_t> HexColor(std::string_view field) {
    if (field.empty() || field.size() > 8) return std::nullopt;
    std::uint32_t v = 0;
    for (char c : field) {
        const int d = HexDigit(c);
        if (d < 0) return std::nullopt;
        v = v * 16 + static_cast<std::uint32_t>(d);
    }
    if (v > 0xFFFFFF) return std::nullopt;
    return static_cast<std::int32_t>(v);
}

// The shortest text that reads back to `value`, always as plain digits with
// an optional decimal point: 100000, never "1e+05". A double's widest such
// form is about 330 characters.
template <typename T>
std::string Positional(T value) {
    char buf[512];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    return ec == std::errc() ? std::string(buf, end) : std::string("0");
}
}  // namespace

std::string GeneralNumber(double value) { return Positional(value); }

std::string GeneralSingle(float value) { return Positional(value); }

WindowPlacement ReadWindowPlacement(const IniLookup& lookup, const WindowPlacement& current) {
    WindowPlacement p = current;
    ReadWhole<std::int16_t>(lookup, kMain, "WindowState", p.WindowState, current.WindowState, 0);
    if (p.WindowState > 2) p.WindowState = current.WindowState;
    ReadTwips(lookup, "Left", p.Left);
    ReadTwips(lookup, "Top", p.Top);
    ReadTwips(lookup, "Width", p.Width);
    ReadTwips(lookup, "Height", p.Height);
    return p;
}

void ReadCanvasSettings(const IniLookup& lookup, CanvasSetup& s) {
    const CanvasSetup d;
    ReadCanvasSide(lookup, "Width", s.CanvasWidth, d.CanvasWidth);
    ReadCanvasSide(lookup, "Height", s.CanvasHeight, d.CanvasHeight);
    static const char* const kColorKeys[3] = {"BackColorR", "BackColorG", "BackColorB"};
    for (int i = 0; i < 3; ++i) ReadWhole(lookup, kCanvas, kColorKeys[i], s.BackColor[i], d.BackColor[i]);
    ReadWhole(lookup, kCanvas, "OptimizeFlag", s.OptimizeFlag, d.OptimizeFlag);
    ReadWhole(lookup, kCanvas, "OptimizePoint", s.OptimizePoint, d.OptimizePoint);
    ReadWhole(lookup, kCanvas, "OptimizeLine", s.OptimizeLine, d.OptimizeLine);
    ReadWhole(lookup, kCanvas, "Quality", s.Quality, d.Quality);
    ReadWhole(lookup, kMain, "HistoryMax", s.HistoryMax, d.HistoryMax, 0);
    s.UnderlayShow = d.UnderlayShow;
    s.UnderlayFile = d.UnderlayFile;
    s.UnderlayX = d.UnderlayX;
    s.UnderlayY = d.UnderlayY;
    s.UnderlayScale = d.UnderlayScale;
    s.UnderlayAlpha = d.UnderlayAlpha;
}

std::vector<IniEntry> SettingsEntries(const WindowPlacement& w, const CanvasSetup& s) {
    auto n = [](double v) { return GeneralNumber(v); };
    auto f = [](double v) { return GeneralSingle(static_cast<float>(v)); };
    return {{kMain, "WindowState", n(w.WindowState)},
            {kMain, "Left", f(w.Left)},
            {kMain, "Top", f(w.Top)},
            {kMain, "Width", f(w.Width)},
            {kMain, "Height", f(w.Height)},
            {kCanvas, "Width", n(s.CanvasWidth)},
            {kCanvas, "Height", n(s.CanvasHeight)},
            {kCanvas, "BackColorR", n(s.BackColor[0])},
            {kCanvas, "BackColorG", n(s.BackColor[1])},
            {kCanvas, "BackColorB", n(s.BackColor[2])},
            {kCanvas, "OptimizeFlag", n(s.OptimizeFlag)},
            {kCanvas, "OptimizePoint", n(s.OptimizePoint)},
            {kCanvas, "OptimizeLine", n(s.OptimizeLine)},
            {kCanvas, "Quality", n(s.Quality)},
            {kMain, "HistoryMax", n(s.HistoryMax)}};
}

std::string FormatIni(const std::vector<IniEntry>& entries) {
    std::vector<std::string> sections;
    for (const IniEntry& e : entries)
        if (std::find(sections.begin(), sections.end(), e.Section) == sections.end()) sections.push_back(e.Section);
    std::string text;
    for (const std::string& section : sections) {
        text += "[" + section + "]\n";
        for (const IniEntry& e : entries)
            if (e.Section == section) text += e.Key + "=" + e.Value + "\n";
        text += "\n";
    }
    return text;
}

std::string FormatUserColors(const UserColorTable& colors) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (int row = 0; row < 6; ++row) {
        for (int col = 0; col < 6; ++col) {
            const auto v = static_cast<std::uint32_t>(colors[static_cast<std::size_t>(col + 6 * row)]) & 0xFFFFFFu;
            if (col > 0) text += ',';
            for (int shift = 20; shift >= 0; shift -= 4) text += kHex[(v >> shift) & 15u];
        }
        text += "\r\n";
    }
    return text;
}

void ParseUserColors(std::string_view text, UserColorTable& colors) {
    FieldReader in(text);
    for (std::size_t k = 0; k < colors.size(); ++k) {
        const auto value = HexColor(in.Bare());
        if (in.Bad() || !value) return;
        colors[k] = *value;
    }
}
