#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "app/SettingsFiles.h"
#include "core/FileBytes.h"
#include "dialogs/CanvasGUI.h"
#include "tests/app/TestWindow.h"

namespace {
using Window = TestWindow;

void WriteConfig(const std::string& ini, const std::string& colors) {
    QDir().mkpath(ConfigFolder());
    ASSERT_TRUE(WriteFileReplacing(SettingsFilePath().toStdString(), ini));
    ASSERT_TRUE(WriteFileReplacing(UserColorFilePath().toStdString(), colors));
}
}  // namespace

TEST(SettingsWindow, StartUpReadsBothFilesAndCloseWritesTheLastCanvas) {
    ASSERT_TRUE(ConfigFolder().startsWith(qEnvironmentVariable("XDG_CONFIG_HOME")));
    WriteConfig("[Lumivane]\nWindowState=0\nLeft=-9000000\nTop=-9000000\nWidth=9000\nHeight=8000\nHistoryMax=-3\n"
                "[Canvas]\nWidth=640\nBackColorG=300\n",
                "0000FF,00FF00\r\n");
    {
        Window w;
        const CanvasSetup& s = w.gui.Core().Setup;
        EXPECT_EQ(std::make_tuple(s.CanvasWidth, s.BackColor[1], s.HistoryMax, w.gui.Edit().UserColors[1]),
                  std::make_tuple(640, 255, 20, 0x00FF00));
        // A placement on no screen comes back onto the primary one.
        EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().intersects(w.gui.frameGeometry()));
        w.gui.Core().Setup.CanvasHeight = 200;
        w.gui.Edit().UserColors[35] = PackColor(1, 2, 3, 255);
        w.gui.mnuQuit->trigger();
    }
    Window next;
    EXPECT_EQ(next.gui.Core().Setup.CanvasHeight, 200);
    EXPECT_EQ(next.gui.Edit().UserColors[35], PackColor(1, 2, 3, 0));
    next.gui.close();
    WriteConfig("[Lumivane]\nWindowState=2\n", "");
    Window maximised;
    EXPECT_TRUE(maximised.gui.isMaximized());
}

TEST(SettingsWindow, CanvasDialogFromTheMenuAndAfterNewIsNoEdit) {
    Window w;
    w.dialogs->OnModal = [](QDialog* dialog) {
        auto* canvas = static_cast<CanvasGUI*>(dialog);
        canvas->Text1->setText("100");
        canvas->Command1->click();
    };
    const auto steps = w.gui.Core().History.size();
    w.gui.mnuPropertyCanvasFile->trigger();
    EXPECT_EQ(std::make_tuple(w.gui.Core().Setup.CanvasWidth, w.gui.Core().History.size(), w.gui.Core().IsModified()),
              std::make_tuple(100, steps, false));
    w.dialogs->OnModal = nullptr;
    w.gui.mnuNewCanvas->trigger();
    w.gui.mnuVersion->trigger();
    EXPECT_EQ(w.dialogs->Modals, 3);
}
