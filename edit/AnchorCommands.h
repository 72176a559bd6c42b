#pragma once
#include <cstdint>

#include "core/DrawCore.h"

// Commands that change the anchors of one path or the structure of paths:
// adding and deleting anchors, their kinds, opening, closing, dividing and
// joining. Path indices are 1-based; a stale index (no such path or anchor)
// makes a command do nothing, so a key or menu acting on an old hit is safe.
// The callers record the history step.

// Inserts the midpoint of the edge a-b after anchor a, with a's kind.
void InsertAnchor(DrawCore& doc, std::int32_t p, std::int32_t a, std::int32_t b);
// Removes anchor a unless the path has two anchors or fewer.
void DeleteAnchor(DrawCore& doc, std::int32_t p, std::int32_t a);
// Gives both ends of the edge a-b the kind (0 straight, 1 curved).
void SetEdgeKind(DrawCore& doc, std::int32_t p, std::int32_t a, std::int32_t b, std::int16_t kind);
// Gives anchor a the kind (0 sharp corner, 1 rounded).
void SetAnchorKind(DrawCore& doc, std::int32_t p, std::int32_t a, std::int16_t kind);

// Removes the edge from anchor a to the next one: the path then starts at a + 1.
void OpenPathAt(DrawCore& doc, std::int32_t p, std::int32_t a);
// Closes a path whose ends lie on each other, dropping the duplicate last anchor.
void CloseAtEnds(DrawCore& doc, std::int32_t p);

// Splits path p at anchor a (hit = 0) or at the midpoint of the edge a-b
// (hit >= 1). The second half is appended as the front-most path; both
// halves are open. Nothing happens at the last anchor or at anchor 0.
void DividePath(DrawCore& doc, std::int32_t p, std::int32_t hit, std::int32_t a, std::int32_t b);

// Whether end anchor a of path p lies within 3 screen pixels of an end of
// another path; unless `test`, the two paths are then joined into one.
bool JoinPaths(DrawCore& doc, std::int32_t p, std::int32_t a, bool test);
// JoinPaths with test = true, on a document that stays untouched.
bool CanJoinPaths(const DrawCore& doc, std::int32_t p, std::int32_t a);

// The path p when it exists and its anchor count agrees with AnchorMax.
const PathShape* ValidPath(const DrawCore& doc, std::int32_t p);
