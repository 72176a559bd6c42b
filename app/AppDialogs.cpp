#include "app/AppDialogs.h"

#include <QFileDialog>

namespace {
std::optional<QString> RunFileDialog(QWidget* owner, const FileDialogRequest& request, bool save) {
    QFileDialog dialog(owner);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(request.Filter);
    dialog.setDefaultSuffix(request.DefaultSuffix);
    // With several filters the suffix added to a bare name follows the chosen one.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        const qsizetype star = filter.indexOf("*.");
        if (star >= 0) dialog.setDefaultSuffix(filter.mid(star + 2).section(')', 0, 0));
    });
    dialog.setDirectory(request.Folder);
    if (!request.FileName.isEmpty()) dialog.selectFile(request.FileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const QString path = dialog.selectedFiles().first();
    if (path.isEmpty()) return std::nullopt;
    return path;
}
}  // namespace

std::optional<QString> QtAppDialogs::ShowSaveDialog(QWidget* owner, const FileDialogRequest& request) {
    return RunFileDialog(owner, request, true);
}

std::optional<QString> QtAppDialogs::ShowOpenDialog(QWidget* owner, const FileDialogRequest& request) {
    return RunFileDialog(owner, request, false);
}

QMessageBox::StandardButton QtAppDialogs::MessageBox(QWidget* owner, QMessageBox::Icon icon, const QString& title,
                                                     const QString& text, QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, title, text, buttons, owner);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

int QtAppDialogs::ExecModal(QDialog* dialog) { return dialog->exec(); }
