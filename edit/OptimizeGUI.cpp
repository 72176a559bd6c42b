#include "edit/OptimizeGUI.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <algorithm>

#include "core/History.h"
#include "edit/Optimize.h"
#include "edit/Transform.h"

namespace {
constexpr int kWeakMax = 400;
constexpr int kStrongMax = 200;

QSlider* MakeSlider(const char* name, int max, QWidget* parent) {
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setObjectName(QString::fromLatin1(name));
    slider->setRange(0, max);
    slider->setSingleStep(1);
    slider->setPageStep(1);  // a click in the trough moves one step too
    slider->setMinimumWidth(240);
    return slider;
}

QLabel* MakeLabel(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}
}  // namespace

OptimizeGUI::OptimizeGUI(DrawCore& doc, DragSnapshot& snapshot, PreviewHost& host, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_snapshot(snapshot), m_host(host) {
    setObjectName(QStringLiteral("OptimizeGUI"));
    setWindowTitle(tr("パスの最適化"));

    Label3 = MakeLabel("Label3", tr("弱"), this);
    HScroll1 = MakeSlider("HScroll1", kWeakMax, this);
    Label1 = MakeLabel("Label1", QStringLiteral("0"), this);
    Label4 = MakeLabel("Label4", tr("強"), this);
    HScroll2 = MakeSlider("HScroll2", kStrongMax, this);
    Label2 = MakeLabel("Label2", QStringLiteral("0"), this);
    Label1->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000")));
    Label2->setMinimumWidth(Label1->minimumWidth());

    Command1 = new QPushButton(tr("適用(&A)"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2 = new QPushButton(tr("ｷｬﾝｾﾙ(&C)"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command1->setDefault(true);

    auto* grid = new QGridLayout;
    grid->addWidget(Label3, 0, 0);
    grid->addWidget(HScroll1, 0, 1);
    grid->addWidget(Label1, 0, 2);
    grid->addWidget(Label4, 1, 0);
    grid->addWidget(HScroll2, 1, 1);
    grid->addWidget(Label2, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto* layout = new QGridLayout(this);
    layout->addLayout(grid, 0, 0);
    layout->addLayout(buttons, 0, 1);

    connect(HScroll1, &QSlider::valueChanged, this, &OptimizeGUI::HScroll1_Change);
    connect(HScroll2, &QSlider::valueChanged, this, &OptimizeGUI::HScroll2_Change);
    connect(Command1, &QPushButton::clicked, this, &OptimizeGUI::accept);
    connect(Command2, &QPushButton::clicked, this, &OptimizeGUI::reject);
}

bool OptimizeGUI::Prepare(std::int32_t pathIndex, const QPoint& topLeft) {
    if (pathIndex < 1 || pathIndex > m_doc.GetPathCount()) return false;
    m_path = pathIndex;
    TakeDragSnapshot(m_doc, m_snapshot);
    // Slider assignments that change a value preview through their handlers;
    // the explicit preview below covers the case where neither changed.
    HScroll1->setValue(std::clamp<std::int32_t>(m_doc.Setup.OptimizePoint, 0, kWeakMax));
    HScroll2->setValue(std::clamp<std::int32_t>(m_doc.Setup.OptimizeLine, 0, kStrongMax));
    OptimizePreview();
    move(topLeft);
    return true;
}

int OptimizeGUI::ExecFor(std::int32_t pathIndex, const QPoint& topLeft) {
    if (!Prepare(pathIndex, topLeft)) return QDialog::Rejected;
    return exec();
}

bool OptimizeGUI::ShowFor(std::int32_t pathIndex, const QPoint& topLeft) {
    if (!Prepare(pathIndex, topLeft)) return false;
    setModal(true);
    show();
    return true;
}

void OptimizeGUI::OptimizePreview() {
    if (m_path < 1) return;
    ::OptimizePreview(m_doc, m_snapshot, m_path, static_cast<float>(HScroll1->value()),
                      static_cast<float>(HScroll2->value()));
    m_host.RebuildPreview();
    m_host.DispShape(1);
    if (DrawPathEdge && m_path <= m_doc.GetPathCount()) DrawPathEdge(m_path);
}

void OptimizeGUI::HScroll1_Change(int value) {
    Label1->setNum(value);
    OptimizePreview();
}

void OptimizeGUI::HScroll2_Change(int value) {
    Label2->setNum(value);
    OptimizePreview();
}

void OptimizeGUI::accept() {
    QDialog::accept();
    PushHistory(m_doc);
}

void OptimizeGUI::reject() {
    RestoreDragSnapshot(m_doc, m_snapshot);
    QDialog::reject();
    // Show the restored drawing at once rather than at the next redraw.
    m_host.RebuildPreview();
    m_host.DispShape(1);
}
