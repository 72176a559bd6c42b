#pragma once
#include <QMessageBox>
#include <QString>
#include <optional>

class QDialog;
class QWidget;

// What a file dialog is given: filter, default suffix, initial folder and name.
struct FileDialogRequest {
    QString Filter;         // e.g. "Lumivane ﾌｧｲﾙ (*.lvd)"
    QString DefaultSuffix;  // without the period
    QString Folder;
    QString FileName;
};

// The modal dialogs the main window shows. Tests replace them with a seam
// that answers without a user.
class AppDialogs {
public:
    virtual ~AppDialogs() = default;
    // The chosen full path, or nothing when cancelled or empty.
    virtual std::optional<QString> ShowSaveDialog(QWidget* owner, const FileDialogRequest& request) = 0;
    virtual std::optional<QString> ShowOpenDialog(QWidget* owner, const FileDialogRequest& request) = 0;
    virtual QMessageBox::StandardButton MessageBox(QWidget* owner, QMessageBox::Icon icon, const QString& title,
                                                   const QString& text, QMessageBox::StandardButtons buttons) = 0;
    // Runs a modal dialog of the window (canvas properties, about box) to its end.
    virtual int ExecModal(QDialog* dialog) = 0;
};

// The real dialogs: QFileDialog and QMessageBox.
class QtAppDialogs : public AppDialogs {
public:
    std::optional<QString> ShowSaveDialog(QWidget* owner, const FileDialogRequest& request) override;
    std::optional<QString> ShowOpenDialog(QWidget* owner, const FileDialogRequest& request) override;
    QMessageBox::StandardButton MessageBox(QWidget* owner, QMessageBox::Icon icon, const QString& title,
                                           const QString& text, QMessageBox::StandardButtons buttons) override;
    int ExecModal(QDialog* dialog) override;
};
