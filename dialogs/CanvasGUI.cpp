#include "dialogs/CanvasGUI.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "core/Settings.h"
#include "swf/Preview.h"

namespace {
// The text box's leading number rounded half to even, limited to lo..hi.
std::int32_t WholeValue(const QLineEdit* box, std::int32_t lo = std::numeric_limits<std::int32_t>::min(),
                        std::int32_t hi = std::numeric_limits<std::int32_t>::max()) {
    const double v = std::nearbyint(LeadingNumber(box->text().toStdString()));
    if (std::isnan(v)) return lo;
    return static_cast<std::int32_t>(std::clamp(v, static_cast<double>(lo), static_cast<double>(hi)));
}


QScrollBar* Slider(QWidget* parent, int max) {
    auto* s = new QScrollBar(Qt::Horizontal, parent);
    s->setRange(0, max);
    s->setMinimumWidth(140);
    return s;
}

QString RunOpenDialog(QWidget* owner, const UnderlayFileRequest& r) {
    QFileDialog dialog(owner);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    // The shown text names fewer patterns than are listed; the dialog shows the text only.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilter(r.Filter + " (" + QString(r.Pattern).replace(';', ' ') + ")");
    dialog.setDefaultSuffix(r.DefaultSuffix);
    dialog.setDirectory(r.Folder);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}
}  // namespace

CanvasGUI::CanvasGUI(QWidget* parent) : QDialog(parent), OpenFile(RunOpenDialog) {
    setWindowTitle(tr("キャンバスのプロパティ"));
    CreateControls();
    for (int i = 0; i < 3; ++i) {
        connect(HScroll2[i], &QScrollBar::valueChanged, this, [this, i] { HScroll2_Change(i); });
        connect(Text3[i], &QLineEdit::textEdited, this, [this, i] { Text3_Change(i, false); });
        connect(Text3[i], &QLineEdit::editingFinished, this, [this, i] { Text3_Change(i, true); });
    }
    connect(HScroll1, &QScrollBar::valueChanged, this, &CanvasGUI::HScroll1_Change);
    connect(Check3, &QCheckBox::toggled, this, &CanvasGUI::Check3_Click);
    connect(Command3, &QPushButton::clicked, this, &CanvasGUI::Command3_Click);
    connect(Command1, &QPushButton::clicked, this, &CanvasGUI::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &CanvasGUI::Command2_Click);
}

void CanvasGUI::CreateControls() {
    auto* root = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    root->addLayout(top);

    auto* size = new QGroupBox(tr("サイズ"), this);
    auto* sizeGrid = new QGridLayout(size);
    Text1 = new QLineEdit(size);
    Text2 = new QLineEdit(size);
    sizeGrid->addWidget(new QLabel(tr("幅"), size), 0, 0);
    sizeGrid->addWidget(Text1, 0, 1);
    sizeGrid->addWidget(new QLabel(tr("高さ"), size), 1, 0);
    sizeGrid->addWidget(Text2, 1, 1);
    sizeGrid->addWidget(new QLabel(tr("画質"), size), 2, 0);
    Combo1 = new QComboBox(size);
    Combo1->addItems({tr("低"), tr("中"), tr("高"), tr("最高")});
    sizeGrid->addWidget(Combo1, 2, 1);
    top->addWidget(size);

    auto* back = new QGroupBox(tr("背景色"), this);
    auto* backGrid = new QGridLayout(back);
    static const char* const kChannels[3] = {"R", "G", "B"};
    for (int i = 0; i < 3; ++i) {
        HScroll2[i] = Slider(back, 255);
        Text3[i] = new QLineEdit(back);
        Text3[i]->setMaximumWidth(40);
        backGrid->addWidget(new QLabel(kChannels[i], back), i, 0);
        backGrid->addWidget(HScroll2[i], i, 1);
        backGrid->addWidget(Text3[i], i, 2);
    }
    PicBackColor = new QFrame(back);
    PicBackColor->setObjectName("PicBackColor");
    PicBackColor->setFrameShape(QFrame::Box);
    PicBackColor->setFixedSize(40, 40);
    PicBackColor->setAutoFillBackground(true);
    backGrid->addWidget(PicBackColor, 0, 3, 3, 1);
    top->addWidget(back);

    auto* optimize = new QGroupBox(tr("パスの最適化"), this);
    auto* optimizeRow = new QHBoxLayout(optimize);
    auto frame = [&](const QString& caption, QCheckBox*& check, QLineEdit*& text) {
        auto* box = new QGroupBox(caption, optimize);
        auto* grid = new QGridLayout(box);
        check = new QCheckBox(tr("自動で最適化を行う"), box);
        text = new QLineEdit(box);
        grid->addWidget(check, 0, 0, 1, 2);
        grid->addWidget(new QLabel(tr("既定値"), box), 1, 0);
        grid->addWidget(text, 1, 1);
        optimizeRow->addWidget(box);
    };
    frame(tr("弱い最適化"), Check1, Text4);
    frame(tr("強い最適化"), Check2, Text5);
    root->addWidget(optimize);

    Check3 = new QCheckBox(tr("下絵を表示する"), this);
    root->addWidget(Check3);
    Frame6 = new QGroupBox(tr("下絵"), this);
    auto* underlay = new QGridLayout(Frame6);
    Text6 = new QLineEdit(Frame6);
    Command3 = new QPushButton("...", Frame6);
    underlay->addWidget(new QLabel(tr("画像ﾌｧｲﾙ"), Frame6), 0, 0);
    underlay->addWidget(Text6, 0, 1, 1, 4);
    underlay->addWidget(Command3, 0, 5);
    Text7 = new QLineEdit(Frame6);
    Text8 = new QLineEdit(Frame6);
    Text9 = new QLineEdit(Frame6);
    underlay->addWidget(new QLabel(tr("X："), Frame6), 1, 0);
    underlay->addWidget(Text7, 1, 1);
    underlay->addWidget(new QLabel(tr("Y："), Frame6), 1, 2);
    underlay->addWidget(Text8, 1, 3);
    underlay->addWidget(new QLabel(tr("サイズ"), Frame6), 2, 0);
    underlay->addWidget(Text9, 2, 1);
    HScroll1 = Slider(Frame6, 255);
    Label10 = new QLabel(Frame6);
    Label10->setMinimumWidth(30);
    underlay->addWidget(new QLabel(tr("不透明度"), Frame6), 3, 0);
    underlay->addWidget(HScroll1, 3, 1, 1, 3);
    underlay->addWidget(Label10, 3, 4);
    root->addWidget(Frame6);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    Command1 = new QPushButton("OK", this);
    Command1->setDefault(true);
    Command2 = new QPushButton(tr("キャンセル"), this);
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    root->addLayout(buttons);
}

void CanvasGUI::Execute(CanvasSetup& setup, SWFMakeCore& mk, PreviewHost& host, const QPoint& topLeft) {
    Form_Load(setup, mk);
    move(topLeft);
    Run(this);
    host.RebuildPreview();
    host.DispShape(0);
}

void CanvasGUI::Form_Load(CanvasSetup& setup, SWFMakeCore& mk) {
    setup_ = &setup;
    mk_ = &mk;
    Text1->setText(QString::number(setup.CanvasWidth));
    Text2->setText(QString::number(setup.CanvasHeight));
    for (int i = 0; i < 3; ++i) {
        HScroll2[i]->setValue(setup.BackColor[i]);
        Text3[i]->setText(QString::number(setup.BackColor[i]));
        HScroll2_Change(i);  // paints the swatch also when the value was already there
    }
    Text4->setText(QString::number(setup.OptimizePoint));
    Text5->setText(QString::number(setup.OptimizeLine));
    Check1->setChecked(setup.OptimizeFlag & 1);
    Check2->setChecked(setup.OptimizeFlag & 2);
    Combo1->setCurrentIndex(setup.Quality >= 0 && setup.Quality <= 3 ? setup.Quality : -1);
    loadedQuality_ = Combo1->currentIndex();
    Check3->setChecked(setup.UnderlayShow == 1);
    Check3_Click();
    Text6->setText(QString::fromStdString(setup.UnderlayFile));
    Text7->setText(QString::number(setup.UnderlayX));
    Text8->setText(QString::number(setup.UnderlayY));
    Text9->setText(QString::fromStdString(GeneralSingle(setup.UnderlayScale)));
    HScroll1->setValue(setup.UnderlayAlpha);
    HScroll1_Change();
    loadedAlpha_ = HScroll1->value();
}

void CanvasGUI::HScroll2_Change(int index) {
    // A box being typed in that already says this value keeps its text.
    const int value = HScroll2[index]->value();
    if (WholeValue(Text3[index]) != value) Text3[index]->setText(QString::number(value));
    QPalette palette = PicBackColor->palette();
    palette.setColor(QPalette::Window, QColor(HScroll2[0]->value(), HScroll2[1]->value(), HScroll2[2]->value()));
    PicBackColor->setPalette(palette);
}

void CanvasGUI::Text3_Change(int index, bool finished) {
    // While typing only a value beyond 0..255 is rewritten, so "-" and "1" can
    // start a number; when the box is left its text becomes the value.
    const std::int32_t v = WholeValue(Text3[index], 0, 255);
    if (finished || v != WholeValue(Text3[index])) Text3[index]->setText(QString::number(v));
    HScroll2[index]->setValue(v);
}

void CanvasGUI::HScroll1_Change() { Label10->setText(QString::number(HScroll1->value())); }

void CanvasGUI::Check3_Click() { Frame6->setEnabled(Check3->isChecked()); }

void CanvasGUI::Command3_Click() {
    QString folder = DefaultFolder;
    if (!Text6->text().isEmpty()) {
        const QFileInfo named(QDir(DefaultFolder), Text6->text());
        folder = named.isDir() ? named.absoluteFilePath() : named.absolutePath();
    }
    const QString path = OpenFile(this, {tr("画像ﾌｧｲﾙ (*.lvd;*.jpg;*.bmp)"), "*.lvd;*.jpg;*.jpeg;*.bmp", "lvd", folder});
    if (!path.isEmpty()) Text6->setText(path);
}

void CanvasGUI::Command1_Click() {
    CanvasSetup& s = *setup_;
    s.CanvasWidth = WholeValue(Text1, MinCanvasSide, MaxCanvasSide);
    s.CanvasHeight = WholeValue(Text2, MinCanvasSide, MaxCanvasSide);
    for (int i = 0; i < 3; ++i) s.BackColor[i] = static_cast<std::uint8_t>(HScroll2[i]->value());
    s.OptimizePoint = WholeValue(Text4);
    s.OptimizeLine = WholeValue(Text5);
    s.OptimizeFlag = static_cast<std::int16_t>((Check2->isChecked() ? 2 : 0) + (Check1->isChecked() ? 1 : 0));
    if (Combo1->currentIndex() != loadedQuality_) s.Quality = static_cast<std::int16_t>(Combo1->currentIndex());
    s.UnderlayShow = Check3->isChecked() ? 1 : 0;
    s.UnderlayFile = Text6->text().toStdString();
    s.UnderlayX = WholeValue(Text7);
    s.UnderlayY = WholeValue(Text8);
    const double scale = LeadingNumber(Text9->text().toStdString());
    s.UnderlayScale = static_cast<float>(std::clamp(scale, -1e6, 1e6));
    if (HScroll1->value() != loadedAlpha_) s.UnderlayAlpha = HScroll1->value();
    InvalidateUnderlay(*mk_);
    accept();
}

void CanvasGUI::Command2_Click() { reject(); }
