// The main window's controls and their layout.
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QScreen>
#include <QWindow>

#include "app/DrawGUI.h"
#include "edit/CanvasMenus.h"
#include "style/ColorRow.h"
#include "style/PanelCaptions.h"
#include "style/ToolHints.h"
#include "view/ViewMapping.h"

namespace {
constexpr int kPanelWidth = 68;
constexpr int kButtonWidth = 64, kButtonHeight = 19;
constexpr int kStatusHeight = 18;

// Screen twips per pixel at the screen's logical DPI.
double TwipsPerPixel(const QWidget* w) {
    const QScreen* screen = w->screen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}
// Whether each check box's caption fits in its width beside the small check
// mark the panel gives them.
bool CaptionsFit(std::initializer_list<std::pair<const QCheckBox*, int>> boxes) {
    constexpr int kMarkWidth = 12;  // indicator and spacing, as FitCaptions draws them
    for (const auto& [box, width] : boxes)
        if (box->fontMetrics().horizontalAdvance(box->text()) + kMarkWidth > width) return false;
    return true;
}
}  // namespace

void DrawGUI::CreateControls() {
    client_ = new QWidget(this);
    setCentralWidget(client_);
    view_.Picture1->setParent(client_);

    ToolPanel = new QWidget(client_);
    int y = 0;
    for (const auto& b : kToolButtons) {
        // Mutually exclusive buttons whose face is the caption.
        auto* button = new QToolButton(ToolPanel);
        button->setText(QCoreApplication::translate("ToolPanel", b.Caption));
        button->setCheckable(true);
        button->setAutoExclusive(true);
        button->setObjectName(QString("Option1_%1").arg(b.Index));
        button->setGeometry(2, y, kButtonWidth, kButtonHeight);
        Option1[b.Index] = button;
        y += kButtonHeight;
    }
    Option1[2]->setChecked(true);
    HighlightDownButton(ToolPanel->findChildren<QAbstractButton*>());
    Combo2 = new QComboBox(ToolPanel);
    Combo2->setObjectName("Combo2");
    Combo2->setEditable(true);
    Combo2->setInsertPolicy(QComboBox::NoInsert);
    Combo2->setCompleter(nullptr);  // "20" must stay 20, not complete to "200%"
    Combo2->addItems({"25%", "50%", "75%", "100%", "150%", "200%", "300%", "400%", "500%"});
    Combo2->setGeometry(2, y + 4, kPanelWidth - 4, 22);
    y += 30;
    Check1 = new QCheckBox(tr("ﾘｱﾙﾀｲﾑ"), ToolPanel);
    Check1->setGeometry(2, y, kPanelWidth - 2, 17);
    Check3 = new QCheckBox(tr("下絵"), ToolPanel);
    Check3->setGeometry(2, y + 17, 38, 17);
    Check4 = new QCheckBox(tr("前"), ToolPanel);
    Check4->setGeometry(40, y + 17, 28, 17);
    // Captions longer than the two short ones (as translated) get a row each.
    if (!CaptionsFit({{Check3, 38}, {Check4, 28}})) {
        Check3->setGeometry(0, y + 17, kPanelWidth, 17);
        Check4->setGeometry(0, y + 34, kPanelWidth, 17);
        y += 17;
    }
    y += 38;
    PicStatus = new StyleSelector(edit_.Style, ToolPanel);
    PicStatus->move(2, y);
    y += PicStatus->height() + 4;
    Combo1 = new QComboBox(ToolPanel);
    Combo1->setObjectName("Combo1");
    Combo1->setEditable(true);
    Combo1->addItems({"0.5 pt", "1 pt", "1.5 pt", "2 pt", "2.5 pt", "3 pt", "4 pt", "5 pt", "6 pt", "7 pt", "8 pt", "9 pt"});
    Combo1->setCurrentText("1 pt");
    Combo1->setGeometry(2, y, kPanelWidth - 4, 22);
    ToolPanel->resize(kPanelWidth, y + 24);
    FitCaptions(ToolPanel->findChildren<QAbstractButton*>());

    colorRow_ = std::make_unique<ColorRow>(client_, core_, edit_.Style, edit_.UserColors, *this);
    colorRow_->WireWidthBox(Combo1);
    PicColor = colorRow_->PicColor;
    Frame2 = colorRow_->Frame2;
    PicPicker = colorRow_->Picker.PicPicker;
    Frame1 = colorRow_->Picker.Frame1;
    Check2 = new QCheckBox(tr("不透明度"), client_);
    Check2->resize(PicColor->width(), 14);
    FitCaptions({Check2});

    StatusLabel1 = new QLabel(client_);
    StatusLabel1->setObjectName("StatusLabel1");
    StatusLabel1->resize(100, kStatusHeight);
    StatusLabel1->setFrameShape(QFrame::Panel);
    StatusLabel1->setFrameShadow(QFrame::Sunken);

    FitMinimumSize();
    WireCanvas();
    // After the panel's own handler has laid the row out anew.
    connect(Check2, &QCheckBox::toggled, this, &DrawGUI::FitMinimumSize);
    menus_ = new CanvasMenus(core_, edit_, *this, this, view_.Picture1);
    menus_->PropertyCanvas = [this] { mnuPropertyCanvas_Click(); };
    menus_->DrawPathEdge = [this](std::int32_t path) {
        DrawOverlay([path](const OverlayContext& o) { DrawPathEdge(o, path, false, true); });
    };
    panel_->mnuAnchorAdd_Click = [this] { menus_->mnuAnchorAdd_Click(); };
    panel_->mnuAnchorDelete_Click = [this] { menus_->mnuAnchorDelete_Click(); };
}

void DrawGUI::FitMinimumSize() {
    const double twips = TwipsPerPixel(this);
    // The opacity frame makes the colour row wider than the window's usual minimum;
    // the window then grows so that the information frame stays whole.
    const int rowRight = Frame1->geometry().right() + 1;
    setMinimumSize(std::max(static_cast<int>(8880 / twips), rowRight), static_cast<int>(7920 / twips));
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
    PicPicker->move(PicPicker->x(), pickerTop);
    Frame1->move(Frame1->x(), pickerTop);
    LayoutColourRow(PicColor, Frame2, PicPicker, Frame1);
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
