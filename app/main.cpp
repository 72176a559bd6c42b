#include <QApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "app/DrawGUI.h"
#include "app/DocumentSvg.h"
#include "app/HeadlessExport.h"
#include "app/HeadlessRender.h"

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

int RunEditor(int argc, char** argv) {
    if (!HasDisplay()) {
        std::fprintf(stderr, "lumivane: no display found (DISPLAY and WAYLAND_DISPLAY are unset); "
                             "start it from a desktop session or under xvfb-run\n");
        return 2;
    }
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName("lumivane");  // names the configuration folder
    // The arguments' own bytes (Qt's options already taken out): a file name
    // need not be UTF-8.
    const std::vector<std::string> args(argv + 1, argv + argc);
    DrawGUI window;
    window.Form_Load(args);
    return app.exec();
}
}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "--export-swf") return RunExportSwf(std::vector<std::string>(argv + 2, argv + argc), std::cerr);
    if (command == "--export-svg") {
        if (argc != 4) {
            std::cerr << "usage: lumivane --export-svg IN.lvd OUT.svg\n";
            return 2;
        }
        return RunExportSvg(argv[2], argv[3], std::cerr);
    }
    if (command == "--render") {
        // Rendering needs no display: the player draws into an image.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        return RunRender(std::vector<std::string>(argv + 2, argv + argc), std::cerr);
    }
    return RunEditor(argc, argv);
}
