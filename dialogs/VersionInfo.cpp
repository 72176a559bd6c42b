#include "dialogs/VersionInfo.h"

#include <QDesktopServices>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {
// The logo: a quadratic curve through a blue square, as the editor draws
// it, at the screen's device pixel ratio.
QPixmap Logo(qreal ratio) {
    QPixmap pixmap(static_cast<int>(48 * ratio + 0.5), static_cast<int>(48 * ratio + 0.5));
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(40, 90, 200));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(2, 2, 44, 44, 8, 8);
    QPainterPath curve(QPointF(8, 38));
    curve.quadTo(QPointF(24, -6), QPointF(40, 38));
    p.setPen(QPen(Qt::white, 4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
    return pixmap;
}
}  // namespace

VersionInfo::VersionInfo(QWidget* parent, const QString& homePage)
    : QDialog(parent), OpenUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); }), homePage_(homePage) {
    setWindowTitle(tr("Lumivane バージョン情報"));
    auto* row = new QHBoxLayout(this);
    auto* logo = new QLabel(this);
    logo->setPixmap(Logo(devicePixelRatio()));
    logo->setAlignment(Qt::AlignTop);
    row->addWidget(logo);
    auto* text = new QVBoxLayout;
    row->addLayout(text);
    text->addWidget(new QLabel("Lumivane", this));
    Label1 = AddNumberRow(text, tr("バージョン"), LUMIVANE_VERSION);
    Label2 = AddNumberRow(text, tr("ビルド"), LUMIVANE_BUILD);
    Label4 = new QLabel(homePage_, this);
    Label4->setVisible(!homePage_.isEmpty());
    Label4->setCursor(Qt::PointingHandCursor);
    Label4->installEventFilter(this);
    SetLinkColor(Qt::blue);
    Command1 = new QPushButton("OK", this);
    Command1->setDefault(true);
    text->addWidget(Label4);
    text->addWidget(Command1, 0, Qt::AlignRight);
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);
}

QLabel* VersionInfo::AddNumberRow(QBoxLayout* rows, const QString& caption, const QString& number) {
    // The number has a label of its own: beside Japanese text in one label
    // its digits would take the Japanese fallback font instead of the box's.
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(caption, this));
    auto* label = new QLabel(number, this);
    row->addWidget(label);
    row->addStretch();
    rows->addLayout(row);
    return label;
}

bool VersionInfo::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label4 && event->type() == QEvent::MouseButtonRelease) {
        Label4_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void VersionInfo::SetLinkColor(const QColor& color) {
    QPalette palette = Label4->palette();
    palette.setColor(QPalette::WindowText, color);
    Label4->setPalette(palette);
}

void VersionInfo::Label4_Click() {
    if (homePage_.isEmpty()) return;
    SetLinkColor(Qt::red);
    Label4->repaint();  // seen while the browser starts
    OpenUrl(QUrl(homePage_));
    SetLinkColor(Qt::blue);
}
