// Start-up and close: the settings file and the user colours.
#include <QDir>
#include <QGuiApplication>
#include <QScreen>

#include "app/DrawGUI.h"
#include "app/Language.h"
#include "app/SettingsFiles.h"

namespace {
double TwipsPerPixel(const QWidget* w) {
    const QScreen* screen = w->screen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

std::int16_t StateOf(const QWidget* w) { return w->isMinimized() ? 1 : w->isMaximized() ? 2 : 0; }

// A placement that lies on no screen (a monitor that is gone) moves onto the primary one.
QRect OnSomeScreen(const QRect& frame) {
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().intersects(frame)) return frame;
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary) return frame;
    const QRect area = primary->availableGeometry();
    return QRect(area.topLeft(), frame.size().boundedTo(area.size()));
}
}  // namespace

WindowPlacement DrawGUI::CurrentPlacement() const {
    const double twips = TwipsPerPixel(this);
    const QRect f = frameGeometry();
    return {StateOf(this), f.x() * twips, f.y() * twips, f.width() * twips, f.height() * twips};
}

void DrawGUI::LoadSettings() {
    const IniLookup lookup = IniFileLookup(SettingsFilePath());
    const WindowPlacement p = ReadWindowPlacement(lookup, CurrentPlacement());
    if (p.WindowState == 2) {
        showMaximized();
    } else if (p.WindowState == 1) {
        showMinimized();
    } else {
        const double twips = TwipsPerPixel(this);
        const QRect frame = OnSomeScreen(QRect(qRound(p.Left / twips), qRound(p.Top / twips),
                                               qRound(p.Width / twips), qRound(p.Height / twips)));
        const QSize margins = frameGeometry().size() - size();
        move(frame.topLeft());
        resize(frame.size() - margins);
    }
    ReadCanvasSettings(lookup, core_.Setup);
}

void DrawGUI::SaveSettings() {
    // Failures are not reported: the next run falls back to the defaults.
    QDir().mkpath(ConfigFolder());
    SaveFileBytes(UserColorFilePath(), FormatUserColors(edit_.UserColors));
    std::vector<IniEntry> entries = SettingsEntries(CurrentPlacement(), core_.Setup);
    // The language key is only read at start-up; it goes back as stored, cleaned to auto, ja or en.
    const std::optional<std::string> language = IniFileLookup(SettingsFilePath())("Lumivane", "Language");
    entries.push_back({"Lumivane", "Language", LanguageSettingText(language).toStdString()});
    SaveFileBytes(SettingsFilePath(), FormatIni(entries));
}
