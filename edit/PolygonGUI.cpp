#include "edit/PolygonGUI.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QVBoxLayout>
#include <functional>

#include "core/NumberText.h"
#include "edit/DialogPlacement.h"
#include "edit/NamedWidget.h"

namespace {
constexpr int kPreviewSize = 121;
constexpr double kPreviewScale = 0.1;  // the 500-twip radius drawn as 50 pixels

QPointF Mid(QPointF a, QPointF b) { return (a + b) / 2; }

// The closed outline of `anchors` as the movie draws it: control points pull
// quadratic curves, which pass through the midpoint of two neighbouring ones.
QPainterPath ClosedOutline(const std::vector<AnchorPoint>& anchors, QPointF centre) {
    QPainterPath path;
    const std::size_t n = anchors.size();
    if (n < 2) return path;
    std::vector<QPointF> pts;
    for (const AnchorPoint& a : anchors) pts.push_back(centre + QPointF(a.X, a.Y) * kPreviewScale);
    const auto kind = [&](std::size_t i) { return anchors[i % n].Kind; };
    const auto at = [&](std::size_t i) { return pts[i % n]; };
    // Start on the outline: anchor 0 itself, or where its curve meets the next.
    QPointF start = at(0);
    if (kind(0) == 1) start = kind(1) == 1 ? Mid(at(0), at(1)) : at(1);
    path.moveTo(start);
    for (std::size_t i = 1; i <= n; ++i) {
        if (kind(i) == 0)
            path.lineTo(at(i));
        else
            path.quadTo(at(i), kind(i + 1) == 1 ? Mid(at(i), at(i + 1)) : at(i + 1));
    }
    path.closeSubpath();
    return path;
}

// The 121 x 121 preview box, drawing what the settings make.
class PreviewBox : public QWidget {
public:
    PreviewBox(std::function<PolygonSettings()> settings, QWidget* parent)
        : QWidget(parent), settings_(std::move(settings)) {
        setFixedSize(kPreviewSize, kPreviewSize);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::black, 1));
        const QPointF centre(width() / 2.0, height() / 2.0);
        // Anchors of a box centred on the origin, so the figure centres on the preview.
        painter.drawPath(ClosedOutline(PolygonAnchors(-500, -500, settings_()), centre));
    }

private:
    std::function<PolygonSettings()> settings_;
};
}  // namespace

PolygonGUI::PolygonGUI(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("PolygonGUI"));
    setWindowTitle(tr("多角形の描画"));

    Label1 = Named(new QLabel(tr("角の数"), this), "Label1");
    Text1 = Named(new QLineEdit(QStringLiteral("5"), this), "Text1");
    Text1->setMaximumWidth(60);
    VScroll1 = Named(new QScrollBar(Qt::Vertical, this), "VScroll1");
    VScroll1->setRange(-1, 1);
    VScroll1->setPageStep(1);
    VScroll1->setValue(0);
    VScroll1->setFixedHeight(Text1->sizeHint().height());
    Check1 = Named(new QCheckBox(tr("星型にする"), this), "Check1");

    Frame1 = Named(new QGroupBox(this), "Frame1");
    Label3 = Named(new QLabel(tr("深さ"), Frame1), "Label3");
    HScroll1 = Named(new QSlider(Qt::Horizontal, Frame1), "HScroll1");
    HScroll1->setRange(0, 100);
    HScroll1->setValue(50);
    HScroll1->setPageStep(10);
    Label2 = Named(new QLabel(QStringLiteral("50%"), Frame1), "Label2");
    Label2->setMinimumWidth(Label2->fontMetrics().horizontalAdvance(QStringLiteral("100%")));
    Check2 = Named(new QCheckBox(tr("内側を丸める"), Frame1), "Check2");
    Check3 = Named(new QCheckBox(tr("外側を丸める"), Frame1), "Check3");
    auto* frame = new QGridLayout(Frame1);
    frame->addWidget(Label3, 0, 0);
    frame->addWidget(HScroll1, 0, 1);
    frame->addWidget(Label2, 0, 2);
    frame->addWidget(Check2, 1, 0, 1, 3);
    frame->addWidget(Check3, 2, 0, 1, 3);
    QSizePolicy keepPlace = Frame1->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);  // the dialog keeps its size when the frame hides
    Frame1->setSizePolicy(keepPlace);
    Frame1->hide();

    Picture1 = Named(new PreviewBox([this] { return Settings(); }, this), "Picture1");
    Command1 = Named(new QPushButton(QStringLiteral("OK"), this), "Command1");
    Command2 = Named(new QPushButton(tr("キャンセル"), this), "Command2");
    Command1->setDefault(true);

    auto* corners = new QHBoxLayout;
    corners->addWidget(Label1);
    corners->addWidget(Text1);
    corners->addWidget(VScroll1);
    corners->addStretch();
    auto* left = new QVBoxLayout;
    left->addLayout(corners);
    left->addWidget(Check1);
    left->addWidget(Frame1);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(Picture1);
    right->addWidget(Command1);
    right->addWidget(Command2);
    right->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right);

    const auto redraw = [this] { Picture1->update(); };
    connect(Text1, &QLineEdit::textChanged, this, redraw);
    connect(VScroll1, &QScrollBar::valueChanged, this, &PolygonGUI::VScroll1_Change);
    connect(Check1, &QCheckBox::clicked, this, &PolygonGUI::Check1_Click);
    connect(Check2, &QCheckBox::toggled, this, redraw);
    connect(Check3, &QCheckBox::toggled, this, redraw);
    connect(HScroll1, &QSlider::valueChanged, this, &PolygonGUI::HScroll1_Change);
    connect(Command1, &QPushButton::clicked, this, &PolygonGUI::accept);
    connect(Command2, &QPushButton::clicked, this, &PolygonGUI::reject);
}

PolygonSettings PolygonGUI::Settings() const {
    const int mode = (Check1->isChecked() ? 1 : 0) + (Check2->isChecked() ? 2 : 0) + (Check3->isChecked() ? 4 : 0);
    return PolygonSettings{LeadingNumber(Text1->text().toStdString()), mode, HScroll1->value()};
}

bool PolygonGUI::HasFigure() const { return PolygonCornerCount(Settings().Corners) > 2; }

QString PolygonGUI::RunForTool(QPoint pointer, const QRect& available) {
    if (!HasFigure()) Text1->setText(QStringLiteral("5"));
    adjustSize();
    move(PlaceAtPointer(pointer, frameGeometry().size(), available));
    exec();
    if (!HasFigure()) return {};
    // The count the generator uses, which caps what was typed.
    const int corners = PolygonCornerCount(Settings().Corners);
    return (Check1->isChecked() ? tr("%1角形(星型)") : tr("%1角形")).arg(corners);
}

void PolygonGUI::reject() {
    Text1->clear();
    QDialog::reject();
}

void PolygonGUI::VScroll1_Change(int value) {
    if (value == 0) return;
    Text1->setText(QString::fromStdString(SpinCorners(Text1->text().toStdString(), value)));
    VScroll1->setValue(0);
}

void PolygonGUI::Check1_Click() {
    if (!Check1->isChecked()) {
        Check2->setChecked(false);
        Check3->setChecked(false);
    }
    Frame1->setVisible(Check1->isChecked());
    Picture1->update();
}

void PolygonGUI::HScroll1_Change(int value) {
    Label2->setText(QString::number(value) + QLatin1Char('%'));
    Picture1->update();
}
