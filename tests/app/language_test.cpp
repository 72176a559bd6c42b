// The interface language: how it is chosen.
#include <QProcess>
#include <gtest/gtest.h>

#include "app/Language.h"

namespace {
QString ProbeLanguage(const QStringList& environment, const QStringList& args) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LANG", "LANGUAGE", "LC_ALL", "LC_MESSAGES"}) env.remove(name);
    for (const QString& pair : environment) env.insert(pair.section('=', 0, 0), pair.section('=', 1));
    QProcess probe;
    probe.setProcessEnvironment(env);
    probe.start(LANGUAGE_PROBE, args);
    EXPECT_TRUE(probe.waitForFinished(10000));
    return QString::fromUtf8(probe.readAllStandardOutput());
}
}  // namespace

TEST(Language, ChosenFromTheEnvironmentTheOptionAndTheSetting) {
    const struct {
        QStringList Env, Args;
        const char* Expected;
    } cases[] = {
        {{"LANG=ja_JP.UTF-8"}, {}, "ja"},
        {{"LANG=en_GB.UTF-8"}, {}, "en"},
        {{"LANG=de_DE.UTF-8"}, {}, "ja"},
        {{"LANG=de_DE.UTF-8", "LANGUAGE=de:en"}, {}, "en"},
        {{"LANG=C.UTF-8"}, {}, "ja"},
        {{"LANG=POSIX"}, {}, "ja"},
        {{"LANG=ja_JP.UTF-8", "LANGUAGE=en:ja"}, {}, "en"},
        {{"LANG=ja_JP.UTF-8", "LC_ALL=en_US.UTF-8"}, {}, "en"},
        {{"LANG=en_GB.UTF-8"}, {"--lang", "ja"}, "ja"},
        {{"LANG=C.UTF-8"}, {"-lang=en"}, "en"},
        {{"LANG=ja_JP.UTF-8"}, {"en"}, "en"},           // the settings key
        {{"LANG=en_GB.UTF-8"}, {"auto"}, "en"},
        {{"LANG=en_GB.UTF-8"}, {"--lang=ja", "en"}, "ja"},  // the option wins over the key
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProbeLanguage(c.Env, c.Args), c.Expected) << c.Env.join(' ').toStdString() << " "
                                                            << c.Args.join(' ').toStdString();
    std::vector<std::string> args{"--lang", "en", "a b.lvd", "--lang=ja"};
    EXPECT_EQ(TakeLanguageOption(args).Value, "ja");
    EXPECT_EQ(args, std::vector<std::string>{"a b.lvd"});
    args = {"a.lvd", "--lang"};
    EXPECT_TRUE(TakeLanguageOption(args).Missing);
}
