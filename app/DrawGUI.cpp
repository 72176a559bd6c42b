#include "app/DrawGUI.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QVBoxLayout>

#include "app/CommandLine.h"

DrawGUI::DrawGUI(std::unique_ptr<AppDialogs> dialogs, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs ? std::move(dialogs) : std::make_unique<QtAppDialogs>()) {
    core_.CaptionChanged = [this](const std::string& caption) { setWindowTitle(QString::fromStdString(caption)); };
    setWindowTitle(QString::fromStdString(core_.Caption));
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->addStretch();
    StatusLabel1 = new QLabel(central);
    StatusLabel1->setObjectName("StatusLabel1");
    layout->addWidget(StatusLabel1);
    setCentralWidget(central);
    setAcceptDrops(true);
    CreateMenus();
}

DrawGUI::~DrawGUI() = default;

void DrawGUI::Form_Load(const std::vector<std::string>& commandLine) {
    show();
    core_.TempMoviePath = (tempDir_.path() + "/_canvtemp.tmp").toStdString();
    QFile::remove(QString::fromStdString(core_.TempMoviePath));
    core_.ZoomRate = 1.0f;
    core_.SelPath = core_.SelAnchor = core_.HitPart = core_.SelAnchor2 = 0;
    ToolMode = 2;
    core_.ResetDocument();
    core_.ClearClip();
    const std::string document = CommandLineDocument(commandLine);
    if (!document.empty()) LoadDocument(QString::fromStdString(document));
    QApplication::processEvents();
}

QString DrawGUI::StatusText() const { return StatusLabel1->text(); }

void DrawGUI::SetStatusText(const QString& text) { StatusLabel1->setText(text); }

void DrawGUI::RebuildPreview() {}

void DrawGUI::DispShape(int) {}

void DrawGUI::mnuQuit_Click() { close(); }

void DrawGUI::closeEvent(QCloseEvent* event) {
    if (ConfirmModify() == 1) {
        event->ignore();
        return;
    }
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
    if (ConfirmModify() == 1) return;
    LoadDocument(urls.first().toLocalFile());
}
