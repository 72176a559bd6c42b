// The canvas' mouse events go to the gestures of the current tool.
#include <QMouseEvent>

#include "app/DrawGUI.h"
#include "edit/CanvasMenus.h"
#include "view/CanvasSurface.h"

namespace {
int ButtonBits(Qt::MouseButtons buttons) {
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
           (buttons & Qt::MiddleButton ? 4 : 0);
}

int ShiftBits(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
}
}  // namespace

bool DrawGUI::ForwardCanvasMouse(QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::Leave) edit_.PointerOnCanvas = edit_.ButtonHeld = false;
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease)
        return false;
    const auto* m = static_cast<QMouseEvent*>(event);
    MouseArgs e;
    e.Button = ButtonBits(type == QEvent::MouseMove ? m->buttons() : Qt::MouseButtons(m->button()));
    e.Shift = ShiftBits(m->modifiers());
    e.X = static_cast<float>(m->position().x());
    e.Y = static_cast<float>(m->position().y());
    // Where the pointer is and whether a button is down, for the key and
    // menu commands that run between mouse events.
    edit_.ButtonHeld = m->buttons() != Qt::NoButton;
    edit_.PointerOnCanvas = true;
    edit_.PointerX = e.X;
    edit_.PointerY = e.Y;
    // The second press of a double click is a press like any other.
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)
        gestures_.Picture1_MouseDown(e);
    else if (type == QEvent::MouseMove)
        gestures_.Picture1_MouseMove(e);
    else
        gestures_.Picture1_MouseUp(e);
    return true;
}

void DrawGUI::DrawOverlay(const std::function<void(const OverlayContext&)>& draw) {
    CanvasSurface surface(*view_.Picture1);
    const ViewGeometry geometry = Geometry();
    draw(OverlayContext(surface, geometry, core_, *this));
    view_.Picture1->ShowChanges();
}

void DrawGUI::PressTool(int index) {
    if (index < 0 || index > 8) return;
    panel_->PressTool(index);
}

void DrawGUI::ShowCanvasMenu(CanvasMenu which, float x, float y) {
    const QPoint at = view_.Picture1->mapToGlobal(QPointF(x, y).toPoint());
    if (which == CanvasMenu::Modify) {
        TwipPoint mouse;
        PosScrToTwip(Geometry(), x, y, mouse.X, mouse.Y);
        menus_->mnuModifyMode_Popup(at, mouse);
    } else if (which == CanvasMenu::Path) {
        menus_->mnuSelectMode_Popup(at);
    } else {
        menus_->mnuSelectMode2_Popup(at);
    }
    edit_.PointerOnCanvas = false;  // it went to the menu; the next move brings it back
}
