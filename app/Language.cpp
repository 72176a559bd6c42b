#include "app/Language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {
constexpr char kLangOption[] = "--lang";

// The same option in its single-dash spelling, which the command line also takes.
bool IsLangOption(const std::string& word) { return word == kLangOption || word == kLangOption + 1; }
bool StartsLangValue(const std::string& word, std::string& value) {
    for (const std::string prefix : {std::string(kLangOption) + "=", std::string(kLangOption + 1) + "="})
        if (word.rfind(prefix, 0) == 0) {
            value = word.substr(prefix.size());
            return true;
        }
    return false;
}

void Install(QCoreApplication& app, const QLocale& locale, const QString& name, const QString& prefix,
             const QString& folder) {
    auto* translator = new QTranslator(&app);
    if (translator->load(locale, name, prefix, folder)) QCoreApplication::installTranslator(translator);
    else delete translator;
}
}  // namespace

std::optional<UiLanguage> LanguageNamed(const QString& name) {
    const QString n = name.trimmed().toLower();
    if (n == "ja") return UiLanguage::Japanese;
    if (n == "en") return UiLanguage::English;
    return std::nullopt;
}

UiLanguage LanguageFromLocales(const QStringList& uiLanguages) {
    for (const QString& tag : uiLanguages) {
        // "en-GB", "en_GB" and "en" are all English; "C" names no language.
        const QString primary = tag.section('-', 0, 0).section('_', 0, 0);
        if (const std::optional<UiLanguage> language = LanguageNamed(primary)) return *language;
    }
    return UiLanguage::Japanese;
}

UiLanguage ChooseLanguage(const QString& option, const QString& setting, const QStringList& uiLanguages) {
    if (const std::optional<UiLanguage> chosen = LanguageNamed(option)) return *chosen;
    if (const std::optional<UiLanguage> chosen = LanguageNamed(setting)) return *chosen;
    return LanguageFromLocales(uiLanguages);
}

LanguageOption TakeLanguageOption(std::vector<std::string>& args) {
    LanguageOption option;
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string value;
        if (IsLangOption(args[i])) {
            if (i + 1 == args.size()) {
                option.Missing = true;
                break;
            }
            option.Value = QString::fromStdString(args[++i]);
        } else if (StartsLangValue(args[i], value)) {
            option.Value = QString::fromStdString(value);
        } else {
            rest.push_back(args[i]);
        }
    }
    args = rest;
    return option;
}

QString LanguageSettingText(const std::optional<std::string>& stored) {
    const std::optional<UiLanguage> language = LanguageNamed(QString::fromStdString(stored.value_or("")));
    if (!language) return "auto";
    return *language == UiLanguage::English ? "en" : "ja";
}

void InstallTranslations(QCoreApplication& app, UiLanguage language) {
    const QLocale locale(language == UiLanguage::English ? QLocale::English : QLocale::Japanese,
                         language == UiLanguage::English ? QLocale::UnitedStates : QLocale::Japan);
    if (language == UiLanguage::English) Install(app, locale, "lumivane", "_", ":/i18n");
    // Qt's own dialogs (file choosers, message box buttons); its English is built in.
    if (language == UiLanguage::Japanese)
        Install(app, locale, "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}
