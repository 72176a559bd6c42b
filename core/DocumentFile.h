#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/FieldText.h"
#include "core/Records.h"

inline constexpr std::string_view DocumentMagic = "LVD010";
inline constexpr std::string_view ClipMagic = "LVCLIP010";

void WritePathRecord(FieldWriter& out, const PathShape& shape);
// Reads one path record; a count the rest of the text cannot hold marks the reader bad.
PathShape ReadPathRecord(FieldReader& in);

// Document text: the canvas fields of `setup` and paths 1..n of `paths` (element 0 unused).
std::string FormatDocument(const CanvasSetup& setup, const std::vector<PathShape>& paths);
// Reads a document. On success fills the document fields of `setup` and
// `paths` (1-based) and returns true; on a bad file returns false and leaves
// both unchanged.
bool ParseDocument(std::string_view text, CanvasSetup& setup, std::vector<PathShape>& paths);

// Reads only the paths of a document: the first line must be the document
// magic, the two canvas lines are skipped whatever they hold. On success fills
// `paths` (1-based) and returns true; otherwise leaves it unchanged.
bool ParseDocumentPaths(std::string_view text, std::vector<PathShape>& paths);

// Reads the document file `path` as ParseDocument does; false when it cannot be read or is bad.
bool ReadDocumentFile(const std::string& path, CanvasSetup& setup, std::vector<PathShape>& paths);
// The text that reports a bad or unreadable document.
std::string InvalidDocumentMessage(const std::string& path);

struct ClipData {
    std::vector<PathShape> Paths = std::vector<PathShape>(1);
    std::int32_t OriginX = 0;
    std::int32_t OriginY = 0;
};
std::string FormatClip(const ClipData& clip);
bool ParseClip(std::string_view text, ClipData& clip);
