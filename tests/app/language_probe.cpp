// Prints "ja" or "en": the language the editor would choose in this
// environment. language_probe [--lang X] [SETTING]
#include <QCoreApplication>
#include <QLocale>
#include <iostream>

#include "app/Language.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::vector<std::string> args(argv + 1, argv + argc);
    const LanguageOption option = TakeLanguageOption(args);
    const QString setting = args.empty() ? QString() : QString::fromStdString(args.front());
    std::cout << (ChooseLanguage(option.Value, setting, QLocale::system().uiLanguages()) == UiLanguage::English ? "en" : "ja");
}
