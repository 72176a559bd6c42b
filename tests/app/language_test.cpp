// The interface language: how it is chosen, and the English texts of the window.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QTranslator>

#include "app/Language.h"
#include "dialogs/CanvasGUI.h"
#include "dialogs/VersionInfo.h"
#include "edit/DragSnapshot.h"
#include "edit/OptimizeGUI.h"
#include "edit/PolygonGUI.h"
#include "edit/TextFontGUI.h"
#include "style/GradientControl.h"
#include "style/ToolHints.h"
#include "tests/FakePreviewHost.h"
#include "tests/app/TestWindow.h"
#include "view/Overlays.h"

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

// Every text a user reads in `top`: title, menus, buttons, labels, frames and lists.
QStringList ShownTexts(const QWidget& top) {
    QStringList texts{top.windowTitle()};
    for (const QAction* a : top.findChildren<QAction*>()) texts << a->text() << a->toolTip();
    for (const QMenu* m : top.findChildren<QMenu*>()) texts << m->title();
    for (const QAbstractButton* b : top.findChildren<QAbstractButton*>()) texts << b->text();
    for (const QLabel* l : top.findChildren<QLabel*>()) texts << l->text();
    for (const QGroupBox* g : top.findChildren<QGroupBox*>()) texts << g->title();
    for (const QComboBox* c : top.findChildren<QComboBox*>())
        if (!qobject_cast<const TextFontGUI*>(c->parent()))  // the text tool lists the system's fonts
            for (int i = 0; i < c->count(); ++i) texts << c->itemText(i);
    return texts;
}

// The texts of the window with every tool's hint, and of each dialog.
QStringList AllTexts() {
    TestWindow w;
    QStringList texts = ShownTexts(w.gui);
    CanvasSetup setup;
    setup.OptimizeFlag = 3;
    for (int tool = 0; tool < 9; ++tool) texts << ToolHint(tool, setup);
    DrawCore doc;
    DragSnapshot snapshot;
    FakePreviewHost host;
    TextFont font;
    texts << ShownTexts(CanvasGUI()) << ShownTexts(VersionInfo()) << ShownTexts(PolygonGUI())
          << ShownTexts(OptimizeGUI(doc, snapshot, host));
    texts << ShownTexts(TextFontGUI(font));
    w.gui.close();
    return texts;
}

// Installs the translations of `language` for the life of the object.
struct InLanguage {
    explicit InLanguage(UiLanguage language) { InstallTranslations(*QCoreApplication::instance(), language); }
    ~InLanguage() { qDeleteAll(QCoreApplication::instance()->findChildren<QTranslator*>()); }
};
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

TEST(Language, JapaneseKeepsTheSourceTextsAndEnglishHasNoJapaneseLeft) {
    const QStringList source = AllTexts();
    {
        const InLanguage japanese(UiLanguage::Japanese);
        EXPECT_EQ(AllTexts(), source);
    }
    const InLanguage english(UiLanguage::English);
    const QRegularExpression japanese("[\\x{3000}-\\x{30ff}\\x{4e00}-\\x{9fff}\\x{ff00}-\\x{ffef}]");
    const QStringList texts = AllTexts();
    EXPECT_GT(texts.filter("Select").size(), 0);
    for (const QString& text : texts)  // the panel keeps its symbol ＼
        EXPECT_FALSE(QString(text).remove(QChar(0xFF3C)).contains(japanese)) << text.toStdString();

    // The panel's captions fit without a smaller font.
    TestWindow w;
    QList<QAbstractButton*> captions = w.gui.ToolPanel->findChildren<QAbstractButton*>();
    for (const QAbstractButton* b : captions)
        EXPECT_EQ(QFontInfo(b->font()).pixelSize(), QFontInfo(QApplication::font()).pixelSize()) << b->text().toStdString();
    captions << w.gui.Check2;
    for (const QAbstractButton* b : captions)
        EXPECT_LT(b->fontMetrics().horizontalAdvance(b->text()), b->width()) << b->text().toStdString();
    w.gui.close();

    // The readouts overwrite blanks of the select and gradient hints, never their words.
    QString select = ToolHint(2, {});
    OverwriteAt(select, 12, "[-10000,-10000]");
    OverwriteAt(select, 21, "[10000x10000]");
    QString gradient = ToolHint(3, {});
    PathShape path;
    path.GradX = -2000;
    path.GradY = 4000;
    path.GradAngle = -359;
    path.GradScale = 10;
    GradientReadout(path, gradient);
    EXPECT_TRUE(gradient.contains("[-100,200]")) << gradient.toStdString();
    for (const auto& [hint, shown] : {std::pair{ToolHint(2, {}), select}, std::pair{ToolHint(3, {}), gradient}})
        for (const QString& word : hint.split(' ', Qt::SkipEmptyParts))
            EXPECT_TRUE(shown.contains(word)) << word.toStdString() << " in " << shown.toStdString();
}
