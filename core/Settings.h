#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/NumberText.h"
#include "core/Records.h"
#include "core/UserColors.h"

// The settings file keeps the main window's placement, the canvas defaults
// and the undo depth; every value is a number stored as text.

// A number as stored: whole values without decimals, others with a decimal point.
std::string GeneralNumber(double value);
// The same for a single-precision value: the shortest text that reads back to it.
std::string GeneralSingle(float value);

// Main window state (0 normal, 1 minimised, 2 maximised) and outer placement in screen twips.
struct WindowPlacement {
    std::int16_t WindowState = 0;
    double Left = 0, Top = 0, Width = 0, Height = 0;
};

// The stored text of a key, or nothing when it is absent.
using IniLookup = std::function<std::optional<std::string>(const std::string& section, const std::string& key)>;

// The window keys read over `current`; a key absent or out of its field's range keeps the current value.
WindowPlacement ReadWindowPlacement(const IniLookup& lookup, const WindowPlacement& current);
// The nine canvas keys and HistoryMax read into `setup` with their defaults
// (also for values that do not fit their field, and a negative HistoryMax);
// the underlay fields go back to their defaults.
void ReadCanvasSettings(const IniLookup& lookup, CanvasSetup& setup);

struct IniEntry {
    std::string Section, Key, Value;
};
// Every key in the order it is written.
std::vector<IniEntry> SettingsEntries(const WindowPlacement& window, const CanvasSetup& setup);
// The entries as INI text, grouped by section in order of first appearance.
std::string FormatIni(const std::vector<IniEntry>& entries);

// The user colour file: six lines of six BGR values in 6 upper-case hex digits, CR LF.
std::string FormatUserColors(const UserColorTable& colors);
// Reads values into `colors` row by row until the first field that is missing
// or not a colour; the entries not read keep their values.
void ParseUserColors(std::string_view text, UserColorTable& colors);
