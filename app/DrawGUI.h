#pragma once
#include <QMainWindow>
#include <QTemporaryDir>
#include <memory>

#include "app/AppDialogs.h"
#include "core/DrawCore.h"
#include "core/PreviewHost.h"

class QAction;
class QLabel;
class QMenu;

// The main window: owns the document and every editor part for the whole run
// and wires menu, key and mouse events to them.
class DrawGUI : public QMainWindow, public PreviewHost {
    Q_OBJECT
public:
    // `dialogs` answers file dialogs and message boxes; null uses the real ones.
    explicit DrawGUI(std::unique_ptr<AppDialogs> dialogs = nullptr, QWidget* parent = nullptr);
    ~DrawGUI() override;

    // Start-up after the window is shown: `commandLine` is the program's arguments.
    void Form_Load(const std::vector<std::string>& commandLine);

    DrawCore& Core() { return core_; }
    QString StatusText() const;
    void SetStatusText(const QString& text);

    void RebuildPreview() override;
    void DispShape(int mode) override;

    // File menu
    void mnuNewCanvas_Click();
    void mnuOpenFile_Click();
    void mnuSaveFile_Click();
    void mnuSaveFileAs_Click();
    void mnuClipWrite_Click();
    void mnuClipRead_Click();
    void mnuQuit_Click();
    // Edit menu
    void mnuUnDo_Click();
    void mnuReDo_Click();

    int ConfirmModify();
    bool SaveDocument(const QString& path);
    void LoadDocument(const QString& path);
    void WriteClipFile(const QString& path);
    void ReadClipFile(const QString& path);

    // The current tool; 2 is the select tool.
    int ToolMode = 2;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateMenus();
    void mnuFile_Click();
    void mnuEdit_Click();
    void EnableAllCommands();
    FileDialogRequest DialogRequest(const QString& filter, const QString& suffix, const QString& fileName) const;
    void ShowInvalidFile(const QString& path);
    void CopySelectionToClip();

    DrawCore core_;
    std::unique_ptr<AppDialogs> dialogs_;
    QTemporaryDir tempDir_;
    QLabel* StatusLabel1 = nullptr;

public:
    // Menu items, named as the commands they run.
    QMenu* mnuFile = nullptr;
    QMenu* mnuEdit = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuNewCanvas = nullptr;
    QAction* mnuOpenFile = nullptr;
    QAction* mnuSaveFile = nullptr;
    QAction* mnuSaveFileAs = nullptr;
    QAction* mnuClipWrite = nullptr;
    QAction* mnuClipRead = nullptr;
    QAction* mnuPropertyCanvasFile = nullptr;
    QAction* mnuQuit = nullptr;
    QAction* mnuUnDo = nullptr;
    QAction* mnuReDo = nullptr;
    QAction* mnuCopyPathEdit = nullptr;
    QAction* mnuCutPathEdit = nullptr;
    QAction* mnuDeletePathEdit = nullptr;
    QAction* mnuPastePathEdit = nullptr;
    QAction* mnuSelectAllEdit = nullptr;
    QAction* mnuVersion = nullptr;
};
