#pragma once
#include <QDialog>
#include <functional>

#include "core/PreviewHost.h"
#include "core/Records.h"
#include "swf/SWFMakeCore.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

// What the underlay file dialog is given.
struct UnderlayFileRequest {
    QString Filter;         // the text shown
    QString Pattern;        // the names listed
    QString DefaultSuffix;  // without the period
    QString Folder;
};

// The dialog "キャンバスのプロパティ": movie size, preview quality, background
// colour, automatic optimisation and the underlay of the document's canvas
// settings. OK stores the controls into the settings and marks the underlay
// stale; Cancel leaves them. Either way the preview is rebuilt and redrawn.
// Changing the canvas is not an edit: no history step, no modified mark.
class CanvasGUI : public QDialog {
    Q_OBJECT
public:
    explicit CanvasGUI(QWidget* parent = nullptr);

    // Shows the dialog modally with its top-left corner at `topLeft`, editing
    // `setup`; after it has closed, `host` rebuilds the preview and redraws.
    void Execute(CanvasSetup& setup, SWFMakeCore& mk, PreviewHost& host, const QPoint& topLeft);
    // Fills the controls from `setup`, which OK will store into.
    void Form_Load(CanvasSetup& setup, SWFMakeCore& mk);

    void Command1_Click();  // OK
    void Command2_Click();  // Cancel
    void Command3_Click();  // choose the underlay file

    // Runs the dialog modally; the owner may route it through its own dialog seam.
    std::function<int(QDialog*)> Run = [](QDialog* dialog) { return dialog->exec(); };
    // Folder the file dialog starts in when no underlay file is named.
    QString DefaultFolder;
    // Answers the underlay file dialog: the chosen path, or empty when cancelled.
    std::function<QString(QWidget*, const UnderlayFileRequest&)> OpenFile;

    QLineEdit* Text1;
    QLineEdit* Text2;
    QComboBox* Combo1;
    QScrollBar* HScroll2[3];
    QLineEdit* Text3[3];
    QFrame* PicBackColor;
    QCheckBox* Check1;
    QLineEdit* Text4;
    QCheckBox* Check2;
    QLineEdit* Text5;
    QCheckBox* Check3;
    QGroupBox* Frame6;
    QLineEdit* Text6;
    QPushButton* Command3;
    QLineEdit* Text7;
    QLineEdit* Text8;
    QLineEdit* Text9;
    QScrollBar* HScroll1;
    QLabel* Label10;
    QPushButton* Command1;
    QPushButton* Command2;

private:
    void CreateControls();
    void HScroll2_Change(int index);
    void Text3_Change(int index, bool finished);
    void HScroll1_Change();
    void Check3_Click();

    CanvasSetup* setup_ = nullptr;
    SWFMakeCore* mk_ = nullptr;
    // Values the list and the slider were loaded with: kept when unchanged,
    // so a stored value outside their range survives OK.
    int loadedQuality_ = 0;
    int loadedAlpha_ = 0;
};
