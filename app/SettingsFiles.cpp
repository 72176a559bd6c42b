#include "app/SettingsFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <filesystem>
#include <memory>

#include "core/FileBytes.h"

namespace {
// The user colour file holds 36 short fields; anything larger is not one.
constexpr std::size_t kMaxUserColorBytes = 64 * 1024;
// A settings file is a few hundred bytes; a larger one or one that is not a regular file is not read.
constexpr std::uintmax_t kMaxSettingsBytes = 1024 * 1024;

bool IsSmallRegularFile(const QString& path) {
    std::error_code ec;
    const std::filesystem::path file(path.toStdString());
    return std::filesystem::is_regular_file(file, ec) && std::filesystem::file_size(file, ec) <= kMaxSettingsBytes &&
           !ec;
}
}  // namespace

QString ConfigFolder() { return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation); }
QString SettingsFilePath() { return ConfigFolder() + "/lumivane.ini"; }
QString UserColorFilePath() { return ConfigFolder() + "/usercolor.dat"; }

IniLookup IniFileLookup(const QString& path) {
    if (!IsSmallRegularFile(path)) return [](const std::string&, const std::string&) { return std::optional<std::string>(); };
    auto settings = std::make_shared<QSettings>(path, QSettings::IniFormat);
    return [settings](const std::string& section, const std::string& key) -> std::optional<std::string> {
        const QVariant v = settings->value(QString::fromStdString(section + "/" + key));
        if (!v.isValid()) return std::nullopt;
        // A value with commas reads as a list; its text is the joined items.
        const QString text = v.typeId() == QMetaType::QStringList ? v.toStringList().join(',') : v.toString();
        return text.toStdString();
    };
}

bool SaveFileBytes(const QString& path, const std::string& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void LoadUserColors(const QString& path, UserColorTable& colors) {
    std::string text;
    if (ReadFileBytes(path.toStdString(), text, kMaxUserColorBytes)) ParseUserColors(text, colors);
}
