// The interface language: how it is chosen, and the English texts of the window.
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
#include "style/ToolHints.h"
#include "tests/FakePreviewHost.h"
#include "tests/app/TestWindow.h"

namespace {
QString ProbeLanguage(const QString& environment, const QStringList& args) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LANG", "LANGUAGE", "LC_ALL", "LC_MESSAGES"}) env.remove(name);
    for (const QString& pair : environment.split(' ')) env.insert(pair.section('=', 0, 0), pair.section('=', 1));
    QProcess probe;
    probe.setProcessEnvironment(env);
    probe.start(LANGUAGE_PROBE, args);
    EXPECT_TRUE(probe.waitForFinished(10000));
    return QString::fromUtf8(probe.readAllStandardOutput());
}

// Every text a user reads in `top`, its dialogs' fonts aside.
QStringList ShownTexts(const QWidget& top) {
    QStringList texts{top.windowTitle()};
    for (const QAction* a : top.findChildren<QAction*>()) texts << a->text();
    for (const QMenu* m : top.findChildren<QMenu*>()) texts << m->title();
    for (const QAbstractButton* b : top.findChildren<QAbstractButton*>()) texts << b->text();
    for (const QLabel* l : top.findChildren<QLabel*>()) texts << l->text();
    for (const QGroupBox* g : top.findChildren<QGroupBox*>()) texts << g->title();
    for (const QComboBox* c : top.findChildren<QComboBox*>())
        for (int i = 0; i < c->count() && !qobject_cast<const TextFontGUI*>(c->parent()); ++i) texts << c->itemText(i);
    return texts;
}

// The texts of the window, every tool's hint and each dialog.
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
          << ShownTexts(OptimizeGUI(doc, snapshot, host)) << ShownTexts(TextFontGUI(font));
    w.gui.close();
    return texts;
}

struct InLanguage {
    explicit InLanguage(UiLanguage language) { InstallTranslations(*QCoreApplication::instance(), language); }
    ~InLanguage() { qDeleteAll(QCoreApplication::instance()->findChildren<QTranslator*>()); }
};
}  // namespace

TEST(Language, ChosenFromTheEnvironmentTheOptionAndTheSetting) {
    // Args: the option, then the settings key.
    const struct { QString Env; QStringList Args; const char* Expected; } cases[] = {
        {"LANG=ja_JP.UTF-8", {}, "ja"},          {"LANG=en_GB.UTF-8", {}, "en"},
        {"LANG=de_DE.UTF-8 LANGUAGE=de:en", {}, "en"}, {"LANG=C.UTF-8", {}, "ja"},
        {"LANG=ja_JP.UTF-8 LANGUAGE=en:ja", {}, "en"}, {"LANG=en_GB.UTF-8", {"--lang", "ja"}, "ja"},
        {"LANG=ja_JP.UTF-8", {"en"}, "en"},      {"LANG=en_GB.UTF-8", {"-lang=ja", "en"}, "ja"},
    };
    for (const auto& c : cases) EXPECT_EQ(ProbeLanguage(c.Env, c.Args), c.Expected) << c.Env.toStdString();
    std::vector<std::string> args{"--lang", "en", "a b.lvd", "--lang"};
    EXPECT_TRUE(TakeLanguageOption(args).Missing);
    EXPECT_EQ(args, std::vector<std::string>{"a b.lvd"});
}

TEST(Language, JapaneseKeepsTheSourceTextsAndEnglishHasNoJapaneseLeft) {
    const QStringList source = AllTexts();
    {
        const InLanguage japanese(UiLanguage::Japanese);
        EXPECT_EQ(AllTexts(), source);
    }
    const InLanguage english(UiLanguage::English);
    const QRegularExpression japanese("[\\x{3000}-\\x{30ff}\\x{4e00}-\\x{9fff}\\x{ff00}-\\x{ffef}]");
    for (const QString& text : AllTexts())  // the panel keeps its symbol ＼
        EXPECT_FALSE(QString(text).remove(QChar(0xFF3C)).contains(japanese)) << text.toStdString();

    // The panel's captions are whole at the default font; the opacity box's at any.
    TestWindow w;
    QList<QAbstractButton*> captions = w.gui.ToolPanel->findChildren<QAbstractButton*>();
    for (const QAbstractButton* b : captions)
        EXPECT_EQ(QFontInfo(b->font()).pixelSize(), QFontInfo(QApplication::font()).pixelSize()) << b->text().toStdString();
    for (const QAbstractButton* b : captions << w.gui.Check2)
        EXPECT_LT(b->fontMetrics().horizontalAdvance(b->text()), b->width()) << b->text().toStdString();
    w.gui.close();

    // The position, size and rotation readouts (columns 12 to 33) and the gradient's (12 to 40) land in blanks.
    EXPECT_TRUE(ToolHint(2, {}).mid(8, 27).trimmed().isEmpty() && ToolHint(2, {}).size() > 40);
    EXPECT_TRUE(ToolHint(3, {}).mid(10, 31).trimmed().isEmpty() && ToolHint(3, {}).size() > 40);
}
