#include "edit/TextFontGUI.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "edit/DialogPlacement.h"
#include "edit/FontList.h"
#include "edit/NamedWidget.h"

TextFontGUI::TextFontGUI(TextFont& canvasFont, QWidget* parent) : QDialog(parent), m_canvasFont(canvasFont) {
    setObjectName(QStringLiteral("TextFontGUI"));
    setWindowTitle(tr("テキストの描画"));

    Label1 = Named(new QLabel(tr("フォント"), this), "Label1");
    Combo1 = Named(new QComboBox(this), "Combo1");
    Combo1->setMinimumWidth(220);
    Label2 = Named(new QLabel(tr("テキスト"), this), "Label2");
    Text1 = Named(new QLineEdit(this), "Text1");
    Check1 = Named(new QCheckBox(tr("太字"), this), "Check1");
    Check2 = Named(new QCheckBox(tr("斜体"), this), "Check2");
    Command1 = Named(new QPushButton(QStringLiteral("OK"), this), "Command1");
    Command2 = Named(new QPushButton(tr("キャンセル"), this), "Command2");
    Command1->setDefault(true);

    auto* style = new QHBoxLayout;
    style->addWidget(Check1);
    style->addWidget(Check2);
    style->addStretch();
    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Combo1, 0, 1);
    grid->addWidget(Command1, 0, 2);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(Text1, 1, 1);
    grid->addWidget(Command2, 1, 2);
    grid->addLayout(style, 2, 1);

    connect(Command1, &QPushButton::clicked, this, &TextFontGUI::accept);
    connect(Command2, &QPushButton::clicked, this, &TextFontGUI::reject);
}

void TextFontGUI::EnumTrueTypeFont() {
    Combo1->clear();
    for (const std::string& name : ::EnumTrueTypeFont()) Combo1->addItem(QString::fromStdString(name));
    // The desktop's default face is chosen to begin with, so that typing a
    // text and pressing Enter is enough.
    const int preferred = Combo1->findText(QString::fromStdString(DefaultFontFamily()));
    Combo1->setCurrentIndex(preferred >= 0 ? preferred : std::min(Combo1->count() - 1, 0));
}

QString TextFontGUI::Text() const { return Text1->text(); }
QString TextFontGUI::FontName() const { return Combo1->currentIndex() < 0 ? QString() : Combo1->currentText(); }

QString TextFontGUI::RunForTool(QPoint pointer, const QRect& available) {
    adjustSize();
    move(PlaceAtPointer(pointer, frameGeometry().size(), available));
    exec();
    if (Text().isEmpty() || FontName().isEmpty()) return {};
    return QLatin1Char('\'') + Text() + QLatin1Char('\'');
}

void TextFontGUI::accept() {
    if (!FontName().isEmpty()) m_canvasFont.Family = FontName().toStdString();
    m_canvasFont.Bold = Check1->isChecked();
    m_canvasFont.Italic = Check2->isChecked();
    m_canvasFont.SizePt = 64.0f;
    QDialog::accept();
}

void TextFontGUI::reject() {
    Text1->clear();
    QDialog::reject();
}

void TextFontGUI::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Text1->setFocus();
    Text1->selectAll();
}
