#pragma once
#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;
class QUrl;

// The about box "Lumivane バージョン情報": logo, version, build and a link to
// the project's web page. The link turns red while the browser is being
// started and blue when that is done.
class VersionInfo : public QDialog {
    Q_OBJECT
public:
    explicit VersionInfo(QWidget* parent = nullptr);

    void Label4_Click();
    // Opens a web page in the user's browser; tests replace it.
    std::function<bool(const QUrl&)> OpenUrl;

    QLabel* Label1;  // version
    QLabel* Label2;  // build
    QLabel* Label4;  // the link
    QPushButton* Command1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetLinkColor(const QColor& color);
};
