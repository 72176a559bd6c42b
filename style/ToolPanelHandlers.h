#pragma once
#include <QObject>
#include <QString>
#include <functional>

#include "core/DrawCore.h"
#include "core/PreviewHost.h"
#include "edit/EditState.h"
#include "swf/SWFMakeCore.h"

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QWidget;
class StyleSelector;

// The main window's controls the panel reads and drives; the window creates them.
struct ToolPanelControls {
    QAbstractButton* const* Option1 = nullptr;  // nine, by tool index
    QCheckBox* Check1 = nullptr;
    QCheckBox* Check2 = nullptr;
    QCheckBox* Check3 = nullptr;
    QCheckBox* Check4 = nullptr;
    QComboBox* Combo2 = nullptr;
    QLabel* StatusLabel1 = nullptr;
    QWidget* Picture1 = nullptr;
    StyleSelector* PicStatus = nullptr;
    // The colour row, laid out again when the opacity frame shows or hides.
    QWidget* PicColor = nullptr;
    QWidget* Frame2 = nullptr;
    QWidget* PicPicker = nullptr;
    QWidget* Frame1 = nullptr;
};

// Lays the colour row out from left to right: the picker 2 pixels right of
// the opacity frame when shown (of the swatches otherwise), the colour
// information 2 pixels right of the picker.
void LayoutColourRow(QWidget* PicColor, const QWidget* Frame2, QWidget* PicPicker, QWidget* Frame1);

// The tool buttons, the preview check boxes, the style selector and the
// main window's keys: their handlers, working on the document and the
// editing state and ending in the preview host's rebuild and redraw.
class ToolPanelHandlers : public QObject {
    Q_OBJECT
public:
    ToolPanelHandlers(DrawCore& doc, EditState& edit, SWFMakeCore& movie, PreviewHost& host, const ToolPanelControls& c,
              QObject* parent = nullptr);

    // Hint text after the prefix of the polygon (7) and text (8) tools: their
    // dialogs run here. An empty result means the dialog was cancelled; the
    // select tool then takes over. Unset, the tools switch with the prefix alone.
    std::function<QString()> PolygonPart;
    std::function<QString()> TextPart;
    // Applies the zoom box text (the window's zoom update).
    std::function<void()> Combo2_Click;
    // Anchor commands of the modify tool for Insert and Delete.
    std::function<void()> mnuAnchorAdd_Click;
    std::function<void()> mnuAnchorDelete_Click;

    // Start-up: outline only, no realtime preview, the select tool.
    void Reset();
    // The tool switch.
    void Option1_Click(int index);
    // Presses tool button `index` as code does: the switch runs even when it is already down.
    void PressTool(int index);
    // The main window's key release handler; returns whether the key was one of its keys.
    bool Form_KeyUp(const QKeyEvent& event);
    void Check1_Click();
    void Check2_Click();
    void Check3_Click();
    void Check4_Click();
    void PicStatus_MouseDown(Qt::MouseButton button, double x, double y);

private:
    void Wire();
    void ZoomStep(float step);
    void FocusCanvas();

    DrawCore& doc_;
    EditState& edit_;
    SWFMakeCore& movie_;
    PreviewHost& host_;
    ToolPanelControls c_;
};
