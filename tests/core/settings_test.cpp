#include "core/Settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>

namespace {
// A settings file as a lookup of "Section/Key" texts.
IniLookup Lookup(std::map<std::string, std::string> values) {
    return [values](const std::string& section, const std::string& key) -> std::optional<std::string> {
        const auto it = values.find(section + "/" + key);
        if (it == values.end()) return std::nullopt;
        return it->second;
    };
}

std::map<std::string, std::string> AsMap(const std::vector<IniEntry>& entries) {
    std::map<std::string, std::string> m;
    for (const IniEntry& e : entries) m[e.Section + "/" + e.Key] = e.Value;
    return m;
}
}  // namespace

TEST(Settings, LeadingNumberOfTheStoredText) {
    const std::pair<const char*, double> cases[] = {{"abc", 0},    {"", 0},   {"-", 0},      {" 12.5px", 12.5},
                                                    {"-3", -3},    {"+7", 7}, {".5", 0.5},   {"1e3", 1000},
                                                    {"1.5E", 1.5}, {"4.", 4}, {"0x1F", 0},   {".", 0},
                                                    {"2.4x", 2.4}, {"5e+x", 5}, {"1e-999", 0}, {"0.000001e-999", 0}};
    for (const auto& [text, want] : cases) EXPECT_EQ(LeadingNumber(text), want) << text;
    // Too large for a double: infinity of its sign, however the digits are placed.
    const double inf = std::numeric_limits<double>::infinity();
    for (const std::string& text :
         {std::string("1e999"), std::string("0.001e99999999999999999999"), "1" + std::string(400, '0')})
        EXPECT_EQ(LeadingNumber(text), inf) << text;
    EXPECT_EQ(LeadingNumber("-1e999"), -inf);
    EXPECT_EQ(LeadingNumber("0." + std::string(400, '0') + "1"), 0.0);
}

TEST(Settings, CanvasKeysFallBackToDefaultsWhenAbsentOrOutOfTheirFieldAndSidesToTheirLimits) {
    CanvasSetup s;
    s.UnderlayShow = 1;
    s.UnderlayFile = "x.jpg";
    s.UnderlayAlpha = 5;
    ReadCanvasSettings(Lookup({{"Canvas/Width", "abc"},
                               {"Canvas/BackColorR", "300"},
                               {"Canvas/BackColorG", "7"},
                               {"Canvas/OptimizeFlag", "70000"},
                               {"Canvas/Quality", "2.5"},
                               {"Canvas/OptimizeLine", "1e20"},
                               {"Lumivane/HistoryMax", "-1"}}),
                       s);
    // Quality 2.5 rounds to even; the underlay fields go back to their defaults.
    EXPECT_EQ(std::make_tuple(s.CanvasWidth, s.CanvasHeight, s.BackColor[0], s.BackColor[1], s.OptimizeFlag, s.Quality,
                              s.OptimizeLine, s.HistoryMax, s.UnderlayShow, s.UnderlayFile, s.UnderlayAlpha),
              std::make_tuple(1, 320, 255, 7, 1, 2, 30, 20, 0, "", 128));
    // Canvas sides beyond 1..8191 pixels read as the nearer limit.
    for (const auto& [text, side] : {std::pair{"-5", 1}, {"1920", 1920}, {"2147483647", 8191}, {"1e30", 8191}}) {
        ReadCanvasSettings(Lookup({{"Canvas/Width", text}, {"Canvas/Height", text}}), s);
        EXPECT_EQ(std::make_pair(s.CanvasWidth, s.CanvasHeight), std::make_pair(side, side)) << text;
    }
}

TEST(Settings, EveryKeyRoundTripsThroughItsText) {
    CanvasSetup s;
    s.CanvasWidth = 640;
    s.CanvasHeight = 1;
    s.BackColor[2] = 0;
    s.OptimizeFlag = 3;
    s.OptimizePoint = 100000;
    s.OptimizeLine = -5;
    s.Quality = 0;
    s.HistoryMax = 99;
    const WindowPlacement w{0, -1500, 0.0001f, 12000000, 9000};
    const auto texts = AsMap(SettingsEntries(w, s));
    EXPECT_EQ(std::make_tuple(texts.at("Canvas/OptimizePoint"), texts.at("Lumivane/Top"), texts.at("Lumivane/Width")),
              std::make_tuple("100000", "0.0001", "12000000"));  // never in exponent form
    CanvasSetup read;
    ReadCanvasSettings(Lookup(texts), read);
    EXPECT_EQ(std::make_tuple(read.CanvasWidth, read.CanvasHeight, read.BackColor[2], read.OptimizeFlag,
                              read.OptimizePoint, read.OptimizeLine, read.Quality, read.HistoryMax),
              std::make_tuple(640, 1, 0, 3, 100000, -5, 0, 99));
    const WindowPlacement p = ReadWindowPlacement(Lookup(texts), WindowPlacement{2, 1, 2, 3, 4});
    EXPECT_EQ(std::make_tuple(p.WindowState, p.Left, p.Top, p.Width, p.Height),
              std::make_tuple(0, -1500.0, double(0.0001f), 12000000.0, 9000.0));
    const WindowPlacement kept = ReadWindowPlacement(Lookup({{"Lumivane/WindowState", "7"}, {"Lumivane/Left", "1e300"}}), w);
    EXPECT_EQ(std::make_tuple(kept.WindowState, kept.Left), std::make_tuple(0, -1500.0));  // out of range: kept
    EXPECT_EQ(FormatIni({{"A", "k", "1"}, {"B", "k", "2"}, {"A", "j", "3"}}), "[A]\nk=1\nj=3\n\n[B]\nk=2\n\n");
}

TEST(UserColors, SixLinesOfBgrHexWithoutAlphaAndShortFilesKeepTheRest) {
    UserColorTable colors;
    colors.fill(-1);
    colors[1] = PackColor(0x12, 0x34, 0xAB, 0);  // column 1, row 0
    const std::string text = FormatUserColors(colors);
    EXPECT_EQ(text.substr(0, 43), "FFFFFF,AB3412,FFFFFF,FFFFFF,FFFFFF,FFFFFF\r\n");
    EXPECT_EQ(text.size(), 6u * 43u);
    UserColorTable read{};
    ParseUserColors(text, read);
    EXPECT_EQ(std::make_tuple(read[0], read[1], read[35]), std::make_tuple(16777215, colors[1], 16777215));  // no alpha

    const std::pair<const char*, int> shortFiles[] = {
        {"00ff00,000001\n", 2}, {"000001,zz,000002", 1}, {"000001,1000000", 1}, {"", 0}, {"1,2,,3", 2}};
    for (const auto& [file, count] : shortFiles) {
        UserColorTable t;
        t.fill(42);
        ParseUserColors(file, t);
        EXPECT_EQ(std::count(t.begin(), t.end(), 42), 36 - count) << file;
    }
}
