#pragma once
#include <QByteArray>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QUrl>
#include <memory>

#include "app/AppDialogs.h"
#include "core/DrawCore.h"
#include "core/PreviewHost.h"
#include "core/Settings.h"
#include "edit/CanvasGestures.h"
#include "edit/EditState.h"
#include "style/StyleSelector.h"
#include "style/ToolPanelHandlers.h"
#include "swf/SWFMakeCore.h"
#include "view/CanvasView.h"

class CanvasGUI;
class CanvasMenus;
class QAbstractButton;
class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class ColorRow;
class CrashRecovery;
struct LeftOut;
class ShapeTools;

// The main window: owns the document and every editor part for the whole run
// and wires menu, key and mouse events to them.
class DrawGUI : public QMainWindow, public CanvasHost {
    Q_OBJECT
public:
    // `dialogs` answers file dialogs and message boxes; null uses the real ones.
    explicit DrawGUI(std::unique_ptr<AppDialogs> dialogs = nullptr, QWidget* parent = nullptr);
    ~DrawGUI() override;

    // Start-up after the window is shown: `commandLine` is the program's arguments.
    void Form_Load(const std::vector<std::string>& commandLine);

    DrawCore& Core() { return core_; }
    EditState& Edit() { return edit_; }
    SWFMakeCore& Movie() { return mk_; }
    CanvasView& View() { return view_; }
    ColorRow& Colors() { return *colorRow_; }
    ToolPanelHandlers& Panel() { return *panel_; }
    QString StatusText() const override;
    void SetStatusText(const QString& text) override;

    void RebuildPreview() override;
    void DispShape(int mode) override;

    // File menu
    void mnuNewCanvas_Click();
    void mnuOpenFile_Click();
    void mnuSaveFile_Click();
    void mnuSaveFileAs_Click();
    void mnuImport_Click();
    void mnuClipWrite_Click();
    void mnuClipRead_Click();
    // The drawing as SVG, PNG at the current zoom, or the preview movie, chosen by the file's extension.
    void mnuExport_Click();
    QByteArray ExportBytes(const QString& path);
    void mnuQuit_Click();
    // Files dropped on the canvas: the first opens as a document. Only local
    // files are taken; anything else is refused before asking to save.
    void Picture1_OLEDragDrop(const QList<QUrl>& files);
    // The canvas properties dialog, from the File menu, the canvas pop-up menu and New.
    void mnuPropertyCanvas_Click();
    void mnuPropertyCanvasFile_Click() { mnuPropertyCanvas_Click(); }
    // Help menu: the about box.
    void mnuVersion_Click();
    // Edit menu
    void mnuUnDo_Click();
    void mnuReDo_Click();
    void mnuCopyPathEdit_Click();
    void mnuCutPathEdit_Click();
    void mnuDeletePathEdit_Click();
    void mnuPastePathEdit_Click();
    void mnuSelectAllEdit_Click();
    // The canvas pop-up menus.
    CanvasMenus& Menus() { return *menus_; }

    // The settings file and the user colours: read at start-up, written at close.
    void LoadSettings();
    void SaveSettings();
    WindowPlacement CurrentPlacement() const;

    int ConfirmModify();
    bool SaveDocument(const QString& path);
    void LoadDocument(const QString& path);
    // Adds an SVG's paths to the drawing, front-most and selected, as one history step.
    void ImportDrawing(const QString& path);
    // Which frame of a movie of `frames` frames to take, asked in a small dialog; 1 when cancelled.
    int AskMovieFrame(int frames);
    void WriteClipFile(const QString& path);
    void ReadClipFile(const QString& path);

    // Window layout, zoom and scrolling.
    void Form_Resize();
    void Combo2_Click();
    void HScroll1_Change();
    void VScroll1_Change();
    ViewGeometry Geometry() const override { return view_.Geometry(core_.ZoomRate); }

    // The canvas gestures' side of the window.
    void DrawOverlay(const std::function<void(const OverlayContext&)>& draw) override;
    void PressTool(int index) override;
    void ShowCanvasMenu(CanvasMenu which, float x, float y) override;
    CanvasGestures& Gestures() { return gestures_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    enum class SaveResult { Saved, Cancelled, Failed };
    SaveResult SaveFile();    // the Save command; Save As for a document never saved
    SaveResult SaveFileAs();  // the Save As command
    void CreateMenus();
    void CreateControls();
    void WireCanvas();
    void FitMinimumSize();
    void mnuFile_Click();
    void mnuEdit_Click();
    void EnableAllCommands();
    // Runs a menu bar command, or its shortcut, unless a mouse button is down on the canvas.
    void RunMenuCommand(void (DrawGUI::*command)());
    FileDialogRequest DialogRequest(const QString& filter, const QString& suffix, const QString& fileName) const;
    void ShowInvalidFile(const QString& path, const std::string& message = {});
    // The document name Save As offers for a drawing opened from an SVG: its name with .lvd.
    QString ForeignDocumentName() const;
    QString ImportedStatus(const LeftOut& missing, const std::string& format) const;
    void CopySelectionToClip();
    void ReportPlayerProblem();
    // Offers the drawings of editors that ended without saving; true when one was restored.
    bool OfferRecovery();
    // Hands the canvas' mouse events to the gestures; true when `event` was one.
    bool ForwardCanvasMouse(QEvent* event);
    // The polygon and text tools' dialogs into the tool switch, their figures into the press.
    void WireShapeTools();

    DrawCore core_;
    EditState edit_;
    SWFMakeCore mk_;
    CanvasGestures gestures_{core_, edit_, *this};
    std::string lastPreviewError_;
    std::string lastPlayerReason_;
    // The SVG the drawing was opened from; Save never writes into it.
    QString foreignFile_;
    std::unique_ptr<AppDialogs> dialogs_;
    QTemporaryDir tempDir_;
    CanvasGUI* canvasGUI_ = nullptr;  // made at first use, hidden between uses
    QWidget* client_ = nullptr;
    CanvasView view_;
    std::unique_ptr<ColorRow> colorRow_;
    std::unique_ptr<ToolPanelHandlers> panel_;
    std::unique_ptr<ShapeTools> shapeTools_;
    bool resizing_ = false;
    CanvasMenus* menus_ = nullptr;  // a child of the window
    std::unique_ptr<CrashRecovery> recovery_;

public:
    // Controls of the main window, named as the window's design names them.
    QLabel* StatusLabel1 = nullptr;
    QComboBox* Combo2 = nullptr;
    QComboBox* Combo1 = nullptr;
    QWidget* ToolPanel = nullptr;
    QAbstractButton* Option1[9] = {};
    QCheckBox* Check1 = nullptr;
    QCheckBox* Check3 = nullptr;
    QCheckBox* Check4 = nullptr;
    StyleSelector* PicStatus = nullptr;
    QFrame* PicColor = nullptr;
    QCheckBox* Check2 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QFrame* PicPicker = nullptr;
    QGroupBox* Frame1 = nullptr;

public:
    // Menu items, named as the commands they run.
    QMenu* mnuFile = nullptr;
    QMenu* mnuEdit = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuNewCanvas = nullptr;
    QAction* mnuOpenFile = nullptr;
    QAction* mnuSaveFile = nullptr;
    QAction* mnuSaveFileAs = nullptr;
    QAction* mnuImport = nullptr;
    QAction* mnuClipWrite = nullptr;
    QAction* mnuClipRead = nullptr;
    QAction* mnuExport = nullptr;
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
