#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/DrawGUI.h"
#include "app/CommandLineOptions.h"
#include "app/Language.h"
#include "app/SettingsFiles.h"

namespace {
// Qt's default platform needs a display; without one say so plainly.
bool HasDisplay() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform && std::string(platform).rfind("xcb", 0) != 0 &&
        std::string(platform).rfind("wayland", 0) != 0)
        return true;
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (display && *display) || (wayland && *wayland);
}

int RunEditor(int argc, char** argv, const QString& languageOption) {
    if (!HasDisplay()) {
        std::fprintf(stderr, "lumivane: no display found (DISPLAY and WAYLAND_DISPLAY are unset); "
                             "start it from a desktop session or under xvfb-run\n");
        return 2;
    }
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName("lumivane");  // names the configuration folder
    QIcon icon;
    for (int size : {48, 96, 256, 512}) icon.addFile(QString(":/icons/lumivane-%1.png").arg(size));
    QApplication::setWindowIcon(icon);
    const std::optional<std::string> setting = IniFileLookup(SettingsFilePath())("Lumivane", "Language");
    InstallTranslations(app, ChooseLanguage(languageOption, QString::fromStdString(setting.value_or("")),
                                            QLocale::system().uiLanguages()));
    // The arguments' own bytes (Qt's options and the language already taken
    // out): a file name need not be UTF-8.
    std::vector<std::string> args(argv + 1, argv + argc);
    TakeLanguageOption(args);
    DrawGUI window;
    window.Form_Load(args);
    return app.exec();
}
}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const LanguageOption lang = TakeLanguageOption(args);
    if (lang.Missing || (!lang.Value.isEmpty() && !LanguageNamed(lang.Value))) {
        std::cerr << "lumivane: --lang takes ja or en\n";
        return 2;
    }
    if (const std::optional<int> code = RunCommandLine(args, std::cout, std::cerr)) return *code;
    return RunEditor(argc, argv, lang.Value);
}
