#pragma once
#include <QDialog>
#include <functional>

#include "core/Version.h"

class QBoxLayout;
class QLabel;
class QPushButton;
class QUrl;

// The about box "Lumivane バージョン情報": logo, version, build and a link to
// the project's web page, when the build names one. The link turns red while
// the browser is being started and blue when that is done.
class VersionInfo : public QDialog {
    Q_OBJECT
public:
    explicit VersionInfo(QWidget* parent = nullptr, const QString& homePage = LUMIVANE_HOMEPAGE);

    void Label4_Click();
    // Opens a web page in the user's browser; tests replace it.
    std::function<bool(const QUrl&)> OpenUrl;

    QLabel* Label1;  // version number
    QLabel* Label2;  // build number
    QLabel* Label4;  // the link, hidden without a web page
    QPushButton* Command1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A caption and its number in a label of their own, as a row of `rows`; returns the number's label.
    QLabel* AddNumberRow(QBoxLayout* rows, const QString& caption, const QString& number);
    void SetLinkColor(const QColor& color);

    QString homePage_;
};
