#include "app/DrawGUI.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QComboBox>

#include "app/CommandLine.h"
#include "app/SettingsFiles.h"
#include "swf/Preview.h"

DrawGUI::DrawGUI(std::unique_ptr<AppDialogs> dialogs, QWidget* parent)
    : QMainWindow(parent),
      dialogs_(dialogs ? std::move(dialogs) : std::make_unique<QtAppDialogs>()),
      view_(nullptr) {
    core_.CaptionChanged = [this](const std::string& caption) { setWindowTitle(QString::fromStdString(caption)); };
    setWindowTitle(QString::fromStdString(core_.Caption));
    setAcceptDrops(true);
    CreateMenus();
    CreateControls();
    resize(800, 640);
}

DrawGUI::~DrawGUI() = default;

void DrawGUI::Form_Load(const std::vector<std::string>& commandLine) {
    show();
    InvalidateUnderlay(mk_);
    LoadSettings();
    core_.TempMoviePath = (tempDir_.path() + "/_canvtemp.tmp").toStdString();
    QFile::remove(QString::fromStdString(core_.TempMoviePath));
    core_.ZoomRate = 1.0f;
    Combo2->setCurrentText("100%");
    core_.SelPath = core_.SelAnchor = core_.HitPart = core_.SelAnchor2 = 0;
    edit_ = EditState{};
    LoadUserColors(UserColorFilePath(), edit_.UserColors);
    core_.ResetDocument();
    core_.ClearClip();
    RebuildPreview();
    panel_->Reset();
    Form_Resize();
    const std::string document = CommandLineDocument(commandLine);
    if (!document.empty()) LoadDocument(QString::fromStdString(document));
    QApplication::processEvents();
}

QString DrawGUI::StatusText() const { return StatusLabel1->text(); }

void DrawGUI::SetStatusText(const QString& text) { StatusLabel1->setText(text); }

void DrawGUI::mnuQuit_Click() { close(); }

void DrawGUI::closeEvent(QCloseEvent* event) {
    if (ConfirmModify() == 1) {
        event->ignore();
        return;
    }
    SaveSettings();
    QFile::remove(QString::fromStdString(core_.TempMoviePath));
    event->accept();
}

void DrawGUI::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void DrawGUI::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty()) return;
    event->acceptProposedAction();
    Picture1_OLEDragDrop(urls);
}

void DrawGUI::Picture1_OLEDragDrop(const QList<QUrl>& files) {
    if (files.isEmpty() || ConfirmModify() == 1) return;
    LoadDocument(files.first().toLocalFile());
}
