#include "style/ToolPanelHandlers.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>

#include "edit/CanvasGestures.h"
#include "edit/Selection.h"
#include "style/StyleSelector.h"
#include "style/ToolHints.h"
#include "swf/Preview.h"

namespace {
void RightOf(QWidget* w, const QWidget* left) { w->move(left->x() + left->width() + 2, w->y()); }
}  // namespace

void LayoutColourRow(QWidget* PicColor, const QWidget* Frame2, QWidget* PicPicker, QWidget* Frame1) {
    RightOf(PicPicker, Frame2->isHidden() ? PicColor : Frame2);
    RightOf(Frame1, PicPicker);
}

ToolPanelHandlers::ToolPanelHandlers(DrawCore& doc, EditState& edit, SWFMakeCore& movie, PreviewHost& host,
                     const ToolPanelControls& c, QObject* parent)
    : QObject(parent), doc_(doc), edit_(edit), movie_(movie), host_(host), c_(c) {
    Wire();
}

void ToolPanelHandlers::Wire() {
    for (int i = 0; i < 9; ++i)
        connect(c_.Option1[i], &QAbstractButton::toggled, this, [this, i](bool down) {
            if (down) Option1_Click(i);
        });
    connect(c_.Check1, &QCheckBox::toggled, this, &ToolPanelHandlers::Check1_Click);
    connect(c_.Check2, &QCheckBox::toggled, this, &ToolPanelHandlers::Check2_Click);
    connect(c_.Check3, &QCheckBox::toggled, this, &ToolPanelHandlers::Check3_Click);
    connect(c_.Check4, &QCheckBox::toggled, this, &ToolPanelHandlers::Check4_Click);
    connect(c_.PicStatus, &StyleSelector::MouseDown, this, &ToolPanelHandlers::PicStatus_MouseDown);
}

void ToolPanelHandlers::Reset() {
    edit_.Style.CurLineOn = 1;
    edit_.Style.CurFillType = 0;
    c_.Check1->setChecked(false);
    edit_.RealTimePreview = false;
    PressTool(2);
    c_.PicStatus->update();
}

void ToolPanelHandlers::PressTool(int index) {
    if (c_.Option1[index]->isChecked()) Option1_Click(index);
    else c_.Option1[index]->setChecked(true);  // its toggle runs the switch
}

void ToolPanelHandlers::FocusCanvas() { c_.Picture1->setFocus(); }

void ToolPanelHandlers::Option1_Click(int index) {
    ResetForTool(doc_, edit_, host_, index);
    FocusCanvas();

    QString hint = ToolHint(index, doc_.Setup);
    // The polygon and text dialogs complete the hint; a cancelled dialog
    // hands over to the select tool, whose own switch sets the hint.
    const std::function<QString()>& dialog = index == 7 ? PolygonPart : index == 8 ? TextPart : nullptr;
    if (dialog) {
        const QString part = dialog();
        hint = part.isEmpty() ? QString() : hint + part;
        if (part.isEmpty()) PressTool(2);
    }
    if (!hint.isEmpty()) c_.StatusLabel1->setText(hint);
}

bool ToolPanelHandlers::Form_KeyUp(const QKeyEvent& event) {
    if (event.isAutoRepeat()) return false;  // a held key acts once, at its release
    const int key = event.key();
    if (key >= Qt::Key_1 && key <= Qt::Key_9 && !(event.modifiers() & Qt::KeypadModifier)) {
        const int index = ToolForDigit(key - Qt::Key_0);
        if (!edit_.MouseDownFlag && index != edit_.ToolMode) PressTool(index);
        return true;
    }
    switch (key) {
        case Qt::Key_R: c_.Check1->toggle(); return true;
        case Qt::Key_B: c_.Check3->toggle(); return true;
        case Qt::Key_F: c_.Check4->toggle(); return true;
        case Qt::Key_PageUp: ZoomStep(0.5f); return true;
        case Qt::Key_PageDown: ZoomStep(-0.5f); return true;
        case Qt::Key_Insert:
        case Qt::Key_Delete: {
            // Insert adds an anchor on the segment under the pointer, Delete
            // removes the anchor under it (HitPart 0: an anchor, not a segment);
            // neither while the anchor is being dragged.
            const bool insert = key == Qt::Key_Insert;
            const std::function<void()>& command = insert ? mnuAnchorAdd_Click : mnuAnchorDelete_Click;
            if (edit_.ToolMode != 1 || edit_.ButtonHeld || doc_.SelPath < 1 || (doc_.HitPart >= 1) != insert ||
                !command)
                return true;
            command();
            host_.RebuildPreview();
            host_.DispShape(1);
            return true;
        }
        case Qt::Key_Escape:
            doc_.DeselectAll();
            CalcSelectedRect(doc_, edit_.Box);  // no stale handles stay live for the next press
            host_.DispShape(0);
            return true;
        default: return false;
    }
}

void ToolPanelHandlers::ZoomStep(float step) {
    const float zoom = doc_.ZoomRate;
    if (step > 0 ? zoom >= 5.0f : zoom <= 0.5f) return;
    const float stepped = zoom + step;
    c_.Combo2->setCurrentText(QString::number(static_cast<long long>(stepped * 100.0f)));
    if (Combo2_Click) Combo2_Click();
}

void ToolPanelHandlers::Check1_Click() {
    edit_.RealTimePreview = c_.Check1->isChecked();
    FocusCanvas();
}

void ToolPanelHandlers::Check3_Click() {
    FocusCanvas();
    movie_.ShowUnderlay = c_.Check3->isChecked();
    host_.RebuildPreview();
    host_.DispShape(1);
}

void ToolPanelHandlers::Check4_Click() {
    FocusCanvas();
    movie_.UnderlayInFront = c_.Check4->isChecked();
    InvalidateUnderlay(movie_);
    host_.RebuildPreview();
    host_.DispShape(1);
}

void ToolPanelHandlers::Check2_Click() {
    c_.Frame2->setVisible(c_.Check2->isChecked());
    LayoutColourRow(c_.PicColor, c_.Frame2, c_.PicPicker, c_.Frame1);
}

void ToolPanelHandlers::PicStatus_MouseDown(Qt::MouseButton button, double, double y) {
    if (button != Qt::LeftButton) return;
    const bool chosen = StyleSelectorClick(y, edit_.Style);
    c_.PicStatus->update();
    if (!chosen) return;
    ApplyLineStyle(doc_, edit_.Style.CurLineOn, edit_.Style.CurFillType);
    host_.RebuildPreview();
    host_.DispShape(1);
}
