// File > Export: the drawing as SVG, as a PNG at the current zoom, or as the preview movie.
#include <cmath>

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSaveFile>

#include "app/DocumentSvg.h"
#include "app/DrawGUI.h"
#include "core/FileBytes.h"
#include "swf/Preview.h"
#include "swf/SwfPlayer.h"

namespace {

const char* const kExportFilters = QT_TRANSLATE_NOOP("DrawGUI", "SVG ファイル (*.svg);;PNG 画像 (*.png);;SWF ムービー (*.swf)");

bool SaveWhole(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QByteArray Bytes(const std::string& s) { return QByteArray(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

QByteArray DrawGUI::ExportBytes(const QString& path) {
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == "swf") return Bytes(BuildPreviewMovie(mk_, core_));
    if (ext == "png") {
        // The player's image of the preview movie at the canvas' zoom.
        RebuildPreview();
        SwfPlayer player;
        player.Movie = core_.TempMoviePath;
        player.BackgroundColor = mk_.BackgroundColor;
        player.Quality2 = mk_.Quality2;
        const int w = static_cast<int>(StageSide(core_.ZoomRate, core_.Setup.CanvasWidth));
        const int h = static_cast<int>(StageSide(core_.ZoomRate, core_.Setup.CanvasHeight));
        QByteArray png;
        QBuffer buffer(&png);
        if (w < 1 || h < 1 || !buffer.open(QIODevice::WriteOnly) || !player.Render(w, h).save(&buffer, "PNG")) return {};
        return png;
    }
    return Bytes(DocumentSvg(mk_, core_));
}

void DrawGUI::mnuExport_Click() {
    QString name = QFileInfo(QString::fromStdString(core_.DocFileName)).completeBaseName();
    const auto path = dialogs_->ShowSaveDialog(this, DialogRequest(tr(kExportFilters), "svg", name));
    if (!path) return;
    const QString failed = tr("ファイル [%1] を書き出せませんでした。").arg(*path);
    // The drawing's own file, a folder, a device or a FIFO is never replaced by an export.
    if (const std::string why = OutputRefusal(QFile::encodeName(*path).toStdString(), core_.DocFileName); !why.empty()) {
        dialogs_->MessageBox(this, QMessageBox::Critical, "Lumivane", failed + "\n" + QString::fromStdString(why),
                             QMessageBox::Ok);
        return;
    }
    const QByteArray bytes = ExportBytes(*path);
    if (bytes.isEmpty() || !SaveWhole(*path, bytes))
        dialogs_->MessageBox(this, QMessageBox::Critical, "Lumivane", failed, QMessageBox::Ok);
}
