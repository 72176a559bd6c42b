#include "app/DrawGUI.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>

#include "app/CommandLine.h"
#include "app/CrashRecovery.h"
#include "edit/ShapeTools.h"
#include "app/SettingsFiles.h"
#include "style/ColorRow.h"
#include "swf/Preview.h"
#include "view/LocalFileDrop.h"

namespace {
// A window title as written: Qt reads "[*]" as its modified-mark placeholder
// and shows a doubled one as the literal text.
QString LiteralTitle(const std::string& caption) {
    if (caption == DrawCore::NewCaption()) return DrawGUI::tr("(新規) - Lumivane");
    return QString::fromStdString(caption).replace("[*]", "[*][*]");
}
}  // namespace

DrawGUI::DrawGUI(std::unique_ptr<AppDialogs> dialogs, QWidget* parent)
    : QMainWindow(parent),
      dialogs_(dialogs ? std::move(dialogs) : std::make_unique<QtAppDialogs>()),
      view_(nullptr) {
    core_.CaptionChanged = [this](const std::string& caption) {
        setWindowTitle(LiteralTitle(caption));
        if (recovery_) recovery_->DocumentChanged();
    };
    setWindowTitle(LiteralTitle(core_.Caption));
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
    ClearHitState(core_);
    edit_ = EditState{};
    LoadUserColors(UserColorFilePath(), edit_.UserColors);
    colorRow_->Reset();  // paints the picker with the user colours just read
    core_.ResetDocument();
    core_.ClearClip();
    RebuildPreview();
    panel_->Reset();
    Form_Resize();
    recovery_ = std::make_unique<CrashRecovery>(core_);
    const bool restored = OfferRecovery();
    const std::string document = CommandLineDocument(commandLine);
    if (!document.empty()) {
        // A name the system's file-name encoding cannot carry would open a look-alike file.
        const QString name = QFile::decodeName(QByteArray::fromStdString(document));
        // Made absolute against the start-up folder, so the file dialogs start beside it.
        const QString path = QFileInfo(name).absoluteFilePath();
        // A restored drawing stays when it is that document; another one replaces it only after asking to save it.
        const bool restoredIsIt = restored && path.toStdString() == core_.DocFileName;
        if (QFile::encodeName(name).toStdString() != document)
            ShowInvalidFile(name);
        else if (!restoredIsIt && (!restored || ConfirmModify() != 1))
            LoadDocument(path);
    }
    shapeTools_->FillFontList();
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

void DrawGUI::Picture1_OLEDragDrop(const QList<QUrl>& files) {
    if (!AllLocalFiles(files) || ConfirmModify() == 1) return;
    LoadDocument(files.first().toLocalFile());
}
