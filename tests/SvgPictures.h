#pragma once
// Pictures of a drawing as our player draws it and of SVG text as
// rsvg-convert draws it, and how far the two agree.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdlib>

#include "core/FileBytes.h"
#include "swf/Preview.h"
#include "swf/SwfPlayer.h"

// `doc` through the preview movie, `zoom` times its size, on its background.
inline QImage PlayerPicture(DrawCore doc, const QTemporaryDir& dir, int zoom = 1) {
    SWFMakeCore mk;
    doc.TempMoviePath = dir.filePath("m.swf").toStdString();
    std::string error;
    EXPECT_TRUE(RebuildPreview(mk, doc, error)) << error;
    SwfPlayer player;
    player.Movie = doc.TempMoviePath;
    player.BackgroundColor = mk.BackgroundColor;
    return player.Render(doc.Setup.CanvasWidth * zoom, doc.Setup.CanvasHeight * zoom)
        .convertToFormat(QImage::Format_RGB32);
}

// rsvg-convert's picture on white; a null image when it refuses the file.
inline QImage RsvgPicture(const std::string& svg, const QTemporaryDir& dir) {
    const QString rsvg = QStandardPaths::findExecutable("rsvg-convert");
    EXPECT_FALSE(rsvg.isEmpty()) << "rsvg-convert is missing; scripts/install-deps.sh installs it";
    EXPECT_TRUE(WriteFileReplacing(dir.filePath("in.svg").toStdString(), svg));
    if (rsvg.isEmpty() || QProcess::execute(rsvg, {"-b", "white", dir.filePath("in.svg"), "-o", dir.filePath("r.png")}))
        return {};
    return QImage(dir.filePath("r.png")).convertToFormat(QImage::Format_RGB32);
}

// The share of pixels where no channel differs by more than `tolerance`; 0 when the sizes differ.
inline double Agreement(const QImage& a, const QImage& b, int tolerance) {
    if (a.size() != b.size() || a.isNull()) return 0;
    int close = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            close += std::abs(qRed(p) - qRed(q)) <= tolerance && std::abs(qGreen(p) - qGreen(q)) <= tolerance &&
                     std::abs(qBlue(p) - qBlue(q)) <= tolerance;
        }
    return static_cast<double>(close) / (a.width() * a.height());
}
