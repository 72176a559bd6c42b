// The main window's controls and their layout.
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QWindow>

#include "app/DrawGUI.h"
#include "edit/CanvasMenus.h"
#include "view/ViewMapping.h"

namespace {
// Tool buttons from the top of the panel: index and caption.
constexpr struct {
    int Index;
    const char* Caption;
} kToolButtons[] = {{2, "選択"}, {1, "変形"}, {3, "グラデ"}, {0, "鉛筆"}, {6, "＼"},
                    {4, "□"},    {5, "○"},    {7, "☆"},      {8, "文字"}};
constexpr int kPanelWidth = 68;
constexpr int kButtonWidth = 64, kButtonHeight = 19;
constexpr int kStatusHeight = 18;

QFrame* Box(QWidget* parent, const char* name, int w, int h) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Sunken);
    frame->resize(w, h);
    return frame;
}

// Screen twips per pixel at the screen's logical DPI.
double TwipsPerPixel(const QWidget* w) {
    const QScreen* screen = w->screen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}
}  // namespace

void DrawGUI::CreateControls() {
    client_ = new QWidget(this);
    setCentralWidget(client_);
    view_.Picture1->setParent(client_);

    ToolPanel = new QWidget(client_);
    int y = 0;
    for (const auto& b : kToolButtons) {
        auto* button = new QRadioButton(b.Caption, ToolPanel);
        button->setObjectName(QString("Option1_%1").arg(b.Index));
        button->setGeometry(2, y, kButtonWidth, kButtonHeight);
        button->setEnabled(false);  // the tools arrive with their gestures
        Option1[b.Index] = button;
        y += kButtonHeight;
    }
    Option1[2]->setChecked(true);
    Combo2 = new QComboBox(ToolPanel);
    Combo2->setObjectName("Combo2");
    Combo2->setEditable(true);
    Combo2->setInsertPolicy(QComboBox::NoInsert);
    Combo2->addItems({"25%", "50%", "75%", "100%", "150%", "200%", "300%", "400%", "500%"});
    Combo2->setGeometry(2, y + 4, kPanelWidth - 4, 22);
    y += 30;
    Check1 = new QCheckBox("ﾘｱﾙﾀｲﾑ", ToolPanel);
    Check1->setGeometry(2, y, kPanelWidth - 2, 17);
    Check3 = new QCheckBox("下絵", ToolPanel);
    Check3->setGeometry(2, y + 17, 40, 17);
    Check4 = new QCheckBox("前", ToolPanel);
    Check4->setGeometry(42, y + 17, 26, 17);
    for (QCheckBox* c : {Check1, Check3, Check4}) c->setEnabled(false);
    y += 38;
    PicStatus = Box(ToolPanel, "PicStatus", 44, 150);
    PicStatus->move(2, y);
    PicStatus->setEnabled(false);
    y += 154;
    Combo1 = new QComboBox(ToolPanel);
    Combo1->setObjectName("Combo1");
    Combo1->setEditable(true);
    Combo1->addItems({"0.5 pt", "1 pt", "1.5 pt", "2 pt", "2.5 pt", "3 pt", "4 pt", "5 pt", "6 pt", "7 pt", "8 pt", "9 pt"});
    Combo1->setCurrentText("1 pt");
    Combo1->setGeometry(2, y, kPanelWidth - 4, 22);
    Combo1->setEnabled(false);
    ToolPanel->resize(kPanelWidth, y + 24);

    PicColor = Box(client_, "PicColor", 54, 53);
    Check2 = new QCheckBox("不透明度", client_);
    Check2->resize(80, 14);
    Frame2 = new QGroupBox("不透明度", client_);
    Frame2->resize(150, 67);
    Frame2->hide();
    PicPicker = Box(client_, "PicPicker", 337, 67);
    Frame1 = new QGroupBox("色情報", client_);
    Frame1->resize(150, 67);
    for (QWidget* w : {static_cast<QWidget*>(PicColor), static_cast<QWidget*>(Check2),
                       static_cast<QWidget*>(PicPicker), static_cast<QWidget*>(Frame1)})
        w->setEnabled(false);  // the colour row's behaviour arrives with its own commands

    StatusLabel1 = new QLabel(client_);
    StatusLabel1->setObjectName("StatusLabel1");
    StatusLabel1->resize(100, kStatusHeight);
    StatusLabel1->setFrameShape(QFrame::Panel);
    StatusLabel1->setFrameShadow(QFrame::Sunken);

    const double twips = TwipsPerPixel(this);
    setMinimumSize(static_cast<int>(8880 / twips), static_cast<int>(7920 / twips));
    WireCanvas();
    menus_ = new CanvasMenus(core_, edit_, *this, this, view_.Picture1);
    menus_->DrawPathEdge = [this](std::int32_t path) {
        DrawOverlay([path](const OverlayContext& o) { DrawPathEdge(o, path, false, true); });
    };
}

void DrawGUI::Form_Resize() {
    if (isMinimized() || !client_ || resizing_) return;
    resizing_ = true;
    const int scaleWidth = client_->width(), scaleHeight = client_->height();
    QWidget* canvas = view_.Picture1;
    canvas->move(kPanelWidth, 0);
    canvas->resize(std::max(1, scaleWidth - canvas->x()),
                   std::max(1, scaleHeight - canvas->y() - PicPicker->height() - StatusLabel1->height()));
    ToolPanel->move(0, 0);
    const int pickerTop = scaleHeight - PicPicker->height();
    PicColor->move(0, pickerTop);
    Check2->move(0, scaleHeight - Check2->height());
    Frame2->move(PicColor->x() + PicColor->width() + 2, pickerTop);
    const QWidget* leftOfPicker = Frame2->isVisible() ? static_cast<QWidget*>(Frame2) : PicColor;
    PicPicker->move(leftOfPicker->x() + leftOfPicker->width() + 2, pickerTop);
    Frame1->move(PicPicker->x() + PicPicker->width() + 2, pickerTop);
    StatusLabel1->setGeometry(canvas->x(), pickerTop - StatusLabel1->height(), canvas->width(),
                              StatusLabel1->height());
    view_.LayoutScrollBars();
    view_.SetScrollRanges(core_.ZoomRate, core_.Setup);
    resizing_ = false;
    DispShape(0);
}

void DrawGUI::Combo2_Click() {
    core_.ZoomRate = ZoomFromText(Combo2->currentText().toStdString());
    Combo2->setCurrentText(QString::fromStdString(ZoomText(core_.ZoomRate)));
    Form_Resize();
}
