// Feeds any bytes to the settings reader (as the INI file, through QSettings)
// and to the user colour reader; what is read must write back and read the same.
#include <cstdint>
#include <cstdlib>
#include <string>

#include <QTemporaryDir>

#include "app/SettingsFiles.h"
#include "core/FileBytes.h"
#include "core/Settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir dir;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const QString ini = dir.filePath("lumivane.ini");
    if (!WriteFileReplacing(ini.toStdString(), bytes)) std::abort();
    const IniLookup lookup = IniFileLookup(ini);
    CanvasSetup setup;
    ReadCanvasSettings(lookup, setup);
    const WindowPlacement window = ReadWindowPlacement(lookup, WindowPlacement{});
    if (setup.HistoryMax < 0 || window.WindowState < 0 || window.WindowState > 2) std::abort();

    UserColorTable colors;
    colors.fill(-1);
    ParseUserColors(bytes, colors);
    UserColorTable again;
    again.fill(0);
    ParseUserColors(FormatUserColors(colors), again);
    for (std::size_t i = 0; i < colors.size(); ++i)
        if ((colors[i] & 0xFFFFFF) != again[i]) std::abort();
    return 0;
}
