#include "edit/ShapeTools.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

#include "edit/Polygon.h"
#include "edit/PolygonGUI.h"
#include "edit/TextCreate.h"
#include "edit/TextFontGUI.h"

namespace {
// The screen area the pointer is on, less its panels.
QRect AvailableAt(QPoint pointer) {
    QScreen* screen = QGuiApplication::screenAt(pointer);
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(pointer, QSize(1, 1));
}
}  // namespace

ShapeTools::ShapeTools(EditState& edit, QWidget* parent)
    : edit_(edit), parent_(parent), text_(std::make_unique<TextFontGUI>(edit.CanvasFont, parent)) {}

ShapeTools::~ShapeTools() = default;

void ShapeTools::FillFontList() { text_->EnumTrueTypeFont(); }

PolygonGUI& ShapeTools::Polygon() {
    if (!polygon_) polygon_ = std::make_unique<PolygonGUI>(parent_);
    return *polygon_;
}

QString ShapeTools::PolygonPart() {
    const QPoint pointer = QCursor::pos();
    return Polygon().RunForTool(pointer, AvailableAt(pointer));
}

QString ShapeTools::TextPart() {
    const QPoint pointer = QCursor::pos();
    return text_->RunForTool(pointer, AvailableAt(pointer));
}

std::int32_t ShapeTools::CreatePolygonAt(DrawCore& doc, std::int32_t tx, std::int32_t ty) {
    return CreatePolygon(doc, tx, ty, edit_.Style, Polygon().Settings());
}

std::int32_t ShapeTools::CreateTextAt(DrawCore& doc, std::int32_t tx, std::int32_t ty, QString& status) {
    std::string error;
    const std::int32_t last = CreateText(doc, tx, ty, edit_.Style, text_->Text().toStdU32String(), edit_.CanvasFont, error);
    if (!error.empty()) status = tr("フォントを読み込めません：%1").arg(QString::fromStdString(error));
    return last;
}
