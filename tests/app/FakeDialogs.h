#pragma once
#include <QDialog>
#include <deque>
#include <functional>

#include "app/AppDialogs.h"

// Answers dialogs from queues and records what was asked.
class FakeDialogs : public AppDialogs {
public:
    struct Asked {
        QMessageBox::Icon Icon;
        QString Title, Text;
        QMessageBox::StandardButtons Buttons;
    };
    std::deque<QString> Paths;  // an empty path answers as a cancelled dialog
    std::deque<QMessageBox::StandardButton> Answers;
    std::vector<Asked> Boxes;
    std::vector<FileDialogRequest> Requests;

    // Acts in a modal dialog as the user would; without it the dialog closes as cancelled.
    std::function<void(QDialog*)> OnModal;
    int Modals = 0;
    int ExecModal(QDialog* dialog) override {
        ++Modals;
        dialog->setResult(QDialog::Rejected);
        if (OnModal) OnModal(dialog);
        return dialog->result();
    }

    std::optional<QString> ShowSaveDialog(QWidget*, const FileDialogRequest& r) override { return Next(r); }
    std::optional<QString> ShowOpenDialog(QWidget*, const FileDialogRequest& r) override { return Next(r); }
    QMessageBox::StandardButton MessageBox(QWidget*, QMessageBox::Icon icon, const QString& title, const QString& text,
                                           QMessageBox::StandardButtons buttons) override {
        Boxes.push_back({icon, title, text, buttons});
        if (Answers.empty()) return QMessageBox::Ok;
        auto a = Answers.front();
        Answers.pop_front();
        return a;
    }

private:
    std::optional<QString> Next(const FileDialogRequest& r) {
        Requests.push_back(r);
        if (Paths.empty()) return std::nullopt;
        const QString p = Paths.front();
        Paths.pop_front();
        if (p.isEmpty()) return std::nullopt;
        return p;
    }
};
