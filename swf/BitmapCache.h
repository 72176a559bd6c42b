#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include <QImage>

#include "swf/MovieData.h"

// Decoded bitmaps of the movie, kept while their bytes stay the same, each
// with its colour-transformed copy.
class BitmapCache {
public:
    // The picture of bitmap `id` under `cx`, or null when the movie has no
    // such bitmap or it cannot be decoded (then `reason` says why).
    const QImage* Get(const ParsedMovie& movie, std::uint16_t id, const SwfColorTransform& cx, std::string& reason);
    // Forgets bitmaps the movie no longer defines.
    void Retain(const ParsedMovie& movie);

private:
    struct Entry {
        std::shared_ptr<const BitmapDefinition> Source;
        QImage Decoded;
        std::string Failure;
        SwfColorTransform TransformedBy;
        QImage Transformed;
    };
    std::map<std::uint16_t, Entry> entries_;
};

// Applies the colour transform to every pixel of a premultiplied image.
QImage TransformImageColors(const QImage& source, const SwfColorTransform& cx);
