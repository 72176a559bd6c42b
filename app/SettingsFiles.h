#pragma once
#include <QString>

#include "core/Settings.h"

// Where the settings and the user colours live: the per-user configuration folder.
QString ConfigFolder();
QString SettingsFilePath();
QString UserColorFilePath();

// The stored text of keys in the INI file `path` (absent keys give nothing).
IniLookup IniFileLookup(const QString& path);
// Writes `bytes` to `path` through QSaveFile (written whole, then replacing
// the old file); false on failure.
bool SaveFileBytes(const QString& path, const std::string& bytes);
// Reads the user colour file over `colors`; a missing or short file keeps the rest.
void LoadUserColors(const QString& path, UserColorTable& colors);
