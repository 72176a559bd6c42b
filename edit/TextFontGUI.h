#pragma once
#include <QDialog>
#include <QString>

#include "edit/TextFont.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The dialog "テキストの描画": the text, a TrueType font, bold and italic.
// "OK" makes the choice the canvas font; cancelling (button, Esc or closing
// the window) empties the text. Created once and hidden between uses.
class TextFontGUI : public QDialog {
    Q_OBJECT
public:
    // `canvasFont` is the canvas' font that "OK" sets.
    explicit TextFontGUI(TextFont& canvasFont, QWidget* parent = nullptr);

    // Fills the font list with the installed TrueType families (start-up).
    void EnumTrueTypeFont();

    QString Text() const;
    QString FontName() const;

    // The tool switch's part: the dialog opens at `pointer` inside
    // `available` and runs modally. Returns "'text'" for the hint, or an
    // empty text when the text or the font is empty (a cancel).
    QString RunForTool(QPoint pointer, const QRect& available);

public slots:
    void accept() override;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    TextFont& m_canvasFont;
    QLabel* Label1;
    QComboBox* Combo1;
    QLabel* Label2;
    QLineEdit* Text1;
    QCheckBox* Check1;
    QCheckBox* Check2;
    QPushButton* Command1;
    QPushButton* Command2;
};
