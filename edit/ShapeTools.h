#pragma once
#include <QCoreApplication>
#include <QString>
#include <cstdint>
#include <memory>

#include "core/DrawCore.h"
#include "edit/EditState.h"

class PolygonGUI;
class QWidget;
class TextFontGUI;

// The polygon and text tools: their dialogs, opened by the tool switch at the
// mouse pointer, and the figure or text a canvas press creates from what the
// dialogs hold. The polygon dialog is made when first needed; the text
// dialog at once, so that the font list is filled at start-up.
class ShapeTools {
    Q_DECLARE_TR_FUNCTIONS(ShapeTools)

public:
    ShapeTools(EditState& edit, QWidget* parent);
    ~ShapeTools();

    // Fills the text dialog's font list.
    void FillFontList();
    // The hint after the tool's prefix, or empty when the dialog was cancelled.
    QString PolygonPart();
    QString TextPart();

    // Each appends at (tx, ty) with the current style and returns the last
    // new path's index, or 0 when nothing was made. A font that cannot be
    // loaded leaves a line for the status label in `status`.
    std::int32_t CreatePolygonAt(DrawCore& doc, std::int32_t tx, std::int32_t ty);
    std::int32_t CreateTextAt(DrawCore& doc, std::int32_t tx, std::int32_t ty, QString& status);

    PolygonGUI& Polygon();
    TextFontGUI& Text() { return *text_; }

private:
    EditState& edit_;
    QWidget* parent_;
    std::unique_ptr<PolygonGUI> polygon_;
    std::unique_ptr<TextFontGUI> text_;
};
