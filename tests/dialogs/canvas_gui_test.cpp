#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QGlyphRun>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRawFont>
#include <QScrollBar>
#include <QTest>
#include <QTextLayout>
#include <QUrl>

#include "core/Version.h"
#include "dialogs/CanvasGUI.h"
#include "dialogs/VersionInfo.h"
#include "swf/MovieReader.h"
#include "swf/Preview.h"
#include "tests/FakePreviewHost.h"

namespace {
struct Dialog : ::testing::Test {
    CanvasGUI gui;
    CanvasSetup setup;
    SWFMakeCore mk;
    FakePreviewHost host;
    Dialog() {
        setup.Quality = 1;
        setup.UnderlayShow = 1;
        setup.UnderlayFile = "pic.jpg";
        setup.UnderlayScale = 1.1f;
        setup.UnderlayAlpha = 256;  // beyond the slider: kept unless moved
        mk.UnderlayTagCache = "cached tags";
    }
    // Runs the dialog as the user would: `act` while it is open.
    void Execute(const std::function<void()>& act) {
        gui.Run = [&](QDialog*) {
            act();
            return gui.result();
        };
        gui.Execute(setup, mk, host, {0, 0});
    }
};

auto Fields(const CanvasSetup& s) {
    return std::make_tuple(s.CanvasWidth, s.CanvasHeight, s.BackColor[0], s.BackColor[1], s.BackColor[2],
                           s.OptimizeFlag, s.OptimizePoint, s.OptimizeLine, s.Quality, s.HistoryMax, s.UnderlayShow,
                           s.UnderlayFile, s.UnderlayX, s.UnderlayY, s.UnderlayScale, s.UnderlayAlpha);
}
}  // namespace

TEST_F(Dialog, CancelAfterMovingSlidersAndOkWithoutChangesKeepTheSetup) {
    const CanvasSetup before = setup;
    Execute([&] {
        gui.HScroll2[2]->setValue(3);
        gui.Command2->click();
    });
    EXPECT_EQ(std::make_pair(Fields(setup), mk.UnderlayTagCache), std::make_pair(Fields(before), std::string("cached tags")));
    Execute([&] { gui.Command1->click(); });
    EXPECT_EQ(std::make_pair(Fields(setup), mk.UnderlayTagCache), std::make_pair(Fields(before), std::string(1, '\0')));
    EXPECT_EQ(std::make_pair(host.Rebuilds, host.Modes), std::make_pair(2, std::vector<int>({0, 0})));  // after either button
}

TEST_F(Dialog, ColourBoxesClampAndMoveTheirSliderAndTheSwatchAndTheUnderlayFileDialogOpens) {
    UnderlayFileRequest asked;
    gui.OpenFile = [&](QWidget*, const UnderlayFileRequest& r) {
        asked = r;
        return QString("/pictures/new.bmp");
    };
    gui.DefaultFolder = "/docs";
    gui.Form_Load(setup, mk);
    const std::pair<const char*, const char*> typed[] = {{"300", "255"}, {"-5", "0"}};
    for (const auto& [text, shown] : typed) {
        gui.Text3[1]->clear();
        QTest::keyClicks(gui.Text3[1], text);
        QTest::keyClick(gui.Text3[1], Qt::Key_Return);
        EXPECT_EQ(gui.Text3[1]->text(), shown) << text;
        EXPECT_EQ(gui.HScroll2[1]->value(), QString(shown).toInt());
    }
    gui.HScroll2[0]->setValue(10);
    EXPECT_EQ(std::make_pair(gui.Text3[0]->text(), gui.PicBackColor->palette().color(QPalette::Window)),
              std::make_pair(QString("10"), QColor(10, 0, 255)));
    gui.Command3->click();  // the underlay file dialog
    EXPECT_EQ(QStringList({asked.Filter, asked.Pattern, asked.DefaultSuffix, asked.Folder, gui.Text6->text()}),
              QStringList({"画像ﾌｧｲﾙ (*.lvd;*.jpg;*.bmp)", "*.lvd;*.jpg;*.jpeg;*.bmp", "lvd", "/docs",
                           "/pictures/new.bmp"}));
}

TEST_F(Dialog, UncheckedUnderlayDisablesItsFrameAndKeepsItsValues) {
    Execute([&] {
        gui.Check3->click();
        EXPECT_FALSE(gui.Frame6->isEnabled() || gui.Text6->isEnabled());
        gui.Text1->setText("9000");  // sides run from 1 to 8191 pixels
        gui.Text2->setText("abc");
        gui.Text4->setText("2.5");
        gui.Check2->setChecked(true);
        gui.Combo1->setCurrentIndex(3);
        gui.Command1->click();
    });
    EXPECT_EQ(std::make_tuple(setup.UnderlayShow, setup.UnderlayFile, setup.UnderlayScale, setup.CanvasWidth,
                              setup.CanvasHeight, setup.OptimizePoint, setup.OptimizeFlag, setup.Quality),
              std::make_tuple(0, "pic.jpg", 1.1f, 8191, 1, 2, 3, 3));
    DrawCore doc;  // the movie's frame holds them
    doc.Setup = setup;
    const std::string movie = BuildPreviewMovie(mk, doc);
    const SwfRect f = ReadMovie(reinterpret_cast<const std::uint8_t*>(movie.data()), movie.size()).Header.FrameSize;
    EXPECT_EQ(std::make_pair(f.Xmax, f.Ymax), std::make_pair(163820, 20));
}

TEST(VersionInfo, NumbersInTheBoxsFontAndALinkOnlyToAPageTheBuildNames) {
    for (const QString& page : {QString(), QString("https://lumivane.test/home")}) {
        VersionInfo box(nullptr, page);
        EXPECT_EQ(std::make_pair(box.Label1->text(), box.Label4->isVisibleTo(&box)),
                  std::make_pair(QString(LUMIVANE_VERSION), !page.isEmpty()));
        for (const QLabel* number : {box.Label1, box.Label2}) {  // never a fallback font for the digits
            QTextLayout layout(number->text(), number->font());
            layout.beginLayout();
            layout.createLine();
            layout.endLayout();
            for (const QGlyphRun& run : layout.glyphRuns())
                EXPECT_EQ(run.rawFont().familyName(), QFontInfo(box.font()).family());
        }
        QColor during;
        QUrl opened;
        box.OpenUrl = [&](const QUrl& url) {
            during = box.Label4->palette().color(QPalette::WindowText);
            opened = url;
            return true;
        };
        QTest::mouseClick(box.Label4, Qt::LeftButton);  // red while the browser starts
        EXPECT_EQ(std::make_tuple(opened, during, box.Label4->palette().color(QPalette::WindowText)),
                  std::make_tuple(QUrl(page), page.isEmpty() ? QColor() : QColor(Qt::red), QColor(Qt::blue)));
    }
}
