// The polygon and text tools: their dialogs run inside the tool switch, and a
// canvas press creates what they hold.
#include "app/DrawGUI.h"
#include "edit/ShapeTools.h"

void DrawGUI::WireShapeTools() {
    shapeTools_ = std::make_unique<ShapeTools>(edit_, this);
    panel_->PolygonPart = [this] { return shapeTools_->PolygonPart(); };
    panel_->TextPart = [this] { return shapeTools_->TextPart(); };
    gestures_.CreatePolygonAt = [this](std::int32_t tx, std::int32_t ty) {
        return shapeTools_->CreatePolygonAt(core_, tx, ty);
    };
    gestures_.CreateTextAt = [this](std::int32_t tx, std::int32_t ty) {
        QString status;
        const std::int32_t last = shapeTools_->CreateTextAt(core_, tx, ty, status);
        if (!status.isEmpty()) SetStatusText(status);
        return last;
    };
}
