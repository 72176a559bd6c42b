#pragma once
// Helpers of the player tests: movie files in a temporary folder and colour checks.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <cstdlib>
#include <fstream>
#include <string>

struct Rgb {
    int R, G, B;
};

inline Rgb PixelAt(const QImage& image, int x, int y) {
    const QRgb p = image.pixel(x, y);
    return {qRed(p), qGreen(p), qBlue(p)};
}

// A straight-alpha colour composed over an opaque background.
inline Rgb Over(int r, int g, int b, int a, Rgb bg) {
    const auto ch = [a](int s, int d) { return (s * a + d * (255 - a) + 127) / 255; };
    return {ch(r, bg.R), ch(g, bg.G), ch(b, bg.B)};
}

inline ::testing::AssertionResult Near(Rgb actual, Rgb expected, int tolerance = 1) {
    if (std::abs(actual.R - expected.R) <= tolerance && std::abs(actual.G - expected.G) <= tolerance &&
        std::abs(actual.B - expected.B) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel (" << actual.R << "," << actual.G << "," << actual.B << ") expected ("
                                         << expected.R << "," << expected.G << "," << expected.B << ") ±" << tolerance;
}

inline std::string WriteTempFile(const QTemporaryDir& dir, const std::string& name, const std::string& bytes) {
    const std::string path = QDir(dir.path()).filePath(QString::fromStdString(name)).toStdString();
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    return path;
}
