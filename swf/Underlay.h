#pragma once
#include <string>

#include "core/DrawCore.h"
#include "swf/SWFMakeCore.h"

// Character and quality of a picture underlay: bitmap 2 shown through shape 3.
inline constexpr std::uint16_t UnderlayCharacter = 2;
inline constexpr std::uint16_t UnderlayBitmapShape = 3;
inline constexpr int UnderlayJpegQuality = 90;

// Reads the paths of the document `file` into mk.UnderlayPaths (1-based);
// true when it cannot be read or is not a document.
bool ReadUnderlayDocument(SWFMakeCore& mk, const std::string& file);

// The underlay file as it is read: a relative name is taken in the folder of
// the document `docFileName` (when the document has one).
std::string UnderlayPath(const std::string& underlayFile, const std::string& docFileName);

// Fills mk.UnderlayTagCache with the underlay's tags for the canvas `setup`:
// a document as character 2, a BMP or JPEG picture as bitmap 2 in shape 3,
// placed at depth 258, or 260 in front of the drawing. A missing file, another
// extension or an unusable document leaves the cache stale, silently. A
// picture that cannot be used (unreadable, neither BMP nor JPEG, undecodable,
// too large, or the encoder failed) gets its shape and placement without the
// bitmap, and the result is the reason to show the user once; otherwise the
// result is empty.
std::string BuildUnderlay(SWFMakeCore& mk, const CanvasSetup& setup, const std::string& docFileName);

// Builds the underlay when the preview shows it ("下絵" ticked, UnderlayShow
// 1) and the cache is stale. Returns what BuildUnderlay returns.
std::string PrepareUnderlay(SWFMakeCore& mk, const DrawCore& doc);
