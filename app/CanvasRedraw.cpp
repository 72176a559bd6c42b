// The end of every change's road: the movie file is rebuilt, the canvas
// shows the player's image of it with the current tool's overlays on top.
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "app/DrawGUI.h"
#include "app/MenuShortcuts.h"
#include "edit/CanvasGestures.h"
#include "style/GradientControl.h"
#include "swf/Preview.h"
#include "swf/Underlay.h"
#include "view/LocalFileDrop.h"
#include "view/Overlays.h"

void DrawGUI::WireCanvas() {
    client_->installEventFilter(this);
    view_.Picture1->installEventFilter(this);
    new LocalFileDrop(view_.Picture1, [this](const QList<QUrl>& files) { Picture1_OLEDragDrop(files); });
    connect(view_.HScroll1, &QScrollBar::valueChanged, this, &DrawGUI::HScroll1_Change);
    connect(view_.VScroll1, &QScrollBar::valueChanged, this, &DrawGUI::VScroll1_Change);
    connect(view_.Picture1, &CanvasWidget::DevicePixelRatioChanged, this, [this] { DispShape(0); });
    // The zoom applies on a pick from the list and on Enter only. The combo
    // box would also pick the item matching its text whenever the focus leaves
    // it; that handler is taken away.
    disconnect(Combo2->lineEdit(), &QLineEdit::editingFinished, Combo2, nullptr);
    // Then the canvas takes the focus, so that the window's keys act at once.
    const auto applyZoom = [this] {
        Combo2_Click();
        view_.Picture1->setFocus();
    };
    connect(Combo2, &QComboBox::activated, this, applyZoom);
    connect(Combo2->lineEdit(), &QLineEdit::returnPressed, this, applyZoom);
    panel_ = std::make_unique<ToolPanelHandlers>(core_, edit_, mk_, *this,
                                         ToolPanelControls{Option1, Check1, Check2, Check3, Check4, Combo2, StatusLabel1,
                                                           view_.Picture1, PicStatus, PicColor, Frame2, PicPicker, Frame1});
    panel_->Combo2_Click = [this] { Combo2_Click(); };
    WireShapeTools();
}

void DrawGUI::keyReleaseEvent(QKeyEvent* event) {
    // Delete in a text box has edited its text; it deletes no anchor too.
    if (EditsFocusedText(*event) || !panel_->Form_KeyUp(*event)) return QMainWindow::keyReleaseEvent(event);
    // The key may have changed the paths or the zoom under the pointer.
    gestures_.RefreshHover();
}

bool DrawGUI::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize) Form_Resize();
    if (watched == view_.Picture1 && ForwardCanvasMouse(event)) return true;
    return QMainWindow::eventFilter(watched, event);
}

void DrawGUI::HScroll1_Change() { DispShape(1); }

void DrawGUI::VScroll1_Change() { DispShape(1); }

void DrawGUI::ReportPlayerProblem() {
    // A movie the player could not show whole is said once in the status line,
    // so a blank or partial canvas is never left unexplained.
    const std::string& reason = view_.ShockwaveFlash1.Reason();
    if (reason == lastPlayerReason_) return;
    lastPlayerReason_ = reason;
    if (!reason.empty()) SetStatusText(tr("プレビューを表示できません（%1）").arg(QString::fromStdString(reason)));
}

void DrawGUI::RebuildPreview() {
    // An underlay picture that cannot be used is left out until its settings change; the reason is said once.
    if (const std::string failure = PrepareUnderlay(mk_, core_); !failure.empty())
        dialogs_->MessageBox(this, QMessageBox::Critical, "Lumivane", QString::fromStdString(failure), QMessageBox::Ok);
    std::string error;
    if (!::RebuildPreview(mk_, core_, error)) {
        // Said once per failure run; the previous preview stays on the canvas.
        if (error != lastPreviewError_) SetStatusText(tr("プレビューファイル [%1] を書き込めませんでした。").arg(QString::fromStdString(core_.TempMoviePath)));
        lastPreviewError_ = error;
        return;
    }
    lastPreviewError_.clear();
    view_.ShockwaveFlash1.BackgroundColor = mk_.BackgroundColor;
    view_.ShockwaveFlash1.Quality2 = mk_.Quality2;
}

void DrawGUI::DispShape(int mode) {
    if (!client_ || core_.TempMoviePath.empty()) return;  // no preview before start-up has made one
    // Drag steps may be laid together from cached layers; a full redraw (the release's) is exact.
    view_.ShockwaveFlash1.Realtime = edit_.MouseDownFlag && edit_.RealTimePreview && mode != 0;
    view_.PaintMovie(mode, core_.ZoomRate, core_.Setup, core_.TempMoviePath);
    ReportPlayerProblem();
    if (edit_.ToolMode == 2 || edit_.ToolMode == 3) {
        CanvasSurface surface(*view_.Picture1);
        const ViewGeometry geometry = Geometry();
        QString status = StatusLabel1->text();
        const OverlayContext context(surface, geometry, core_, *this);
        if (edit_.ToolMode == 2)
            DrawSelectOverlay(context, mode, edit_.Box, status);
        else
            DrawGradientControl(context, edit_.Box, status);
        if (status != StatusLabel1->text()) StatusLabel1->setText(status);
    }
    view_.Picture1->ShowChanges();
}
