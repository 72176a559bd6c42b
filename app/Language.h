#pragma once
#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

class QCoreApplication;

// The interface languages: Japanese (the source texts, and the default) and English.
enum class UiLanguage { Japanese, English };

// "ja" and "en" name a language; "auto", an empty or any other value names none.
std::optional<UiLanguage> LanguageNamed(const QString& name);
// The first of the user's preferred languages (as QLocale::uiLanguages gives
// them, e.g. "en-GB", "de", "C") that the editor has; Japanese when none is.
UiLanguage LanguageFromLocales(const QStringList& uiLanguages);
// The run's language: `--lang` first, then the settings key, then the desktop's languages.
UiLanguage ChooseLanguage(const QString& option, const QString& setting, const QStringList& uiLanguages);

// `--lang VALUE` or `--lang=VALUE` taken out of `args` (the last one given
// wins); Value is empty when there is none.
struct LanguageOption {
    QString Value;
    bool Missing = false;  // `--lang` ended the line without a value
};
LanguageOption TakeLanguageOption(std::vector<std::string>& args);

// The settings file's `Language` key as it is written back: auto, ja or en.
QString LanguageSettingText(const std::optional<std::string>& stored);

// Installs the editor's own and Qt's translations for `language` into the
// running application; the translators are children of `app`. Japanese
// needs none of the editor's own: its texts are the source.
void InstallTranslations(QCoreApplication& app, UiLanguage language);
