#pragma once
#include <QDialog>
#include <QString>

#include "edit/Polygon.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QSlider;
class QWidget;

// The dialog "多角形の描画": corner count, star, notch depth and rounding,
// with a preview of the figure the polygon tool will create. Created once
// and hidden between uses so its values persist; a cancel leaves the corner
// box empty.
class PolygonGUI : public QDialog {
    Q_OBJECT
public:
    explicit PolygonGUI(QWidget* parent = nullptr);

    // What the generator reads at a press.
    PolygonSettings Settings() const;

    // The tool switch's part: a corner count too small for a figure is set
    // to 5, the dialog opens at `pointer` inside `available` and runs
    // modally. Returns the hint after the tool's prefix with the corner count
    // the generator uses ("6角形", "5角形(星型)"),
    // or an empty text when the dialog was cancelled.
    QString RunForTool(QPoint pointer, const QRect& available);

public slots:
    void reject() override;

private:
    void VScroll1_Change(int value);
    void Check1_Click();
    void HScroll1_Change(int value);
    bool HasFigure() const;

    QLabel* Label1;
    QLineEdit* Text1;
    QScrollBar* VScroll1;
    QCheckBox* Check1;
    QGroupBox* Frame1;
    QLabel* Label3;
    QSlider* HScroll1;
    QLabel* Label2;
    QCheckBox* Check2;
    QCheckBox* Check3;
    QWidget* Picture1;
    QPushButton* Command1;
    QPushButton* Command2;
};
