#pragma once
#include "core/DrawCore.h"

// The benchmarks' drawing: 1,000 closed paths of 100 anchors on a
// 1000 × 1000 canvas, mixing straight and curved edges, every fill kind,
// outlines on and off, and translucent gradient colours.
inline constexpr int BenchPaths = 1000;
inline constexpr int BenchAnchors = 100;

// Ring `index` of `anchors` anchors on a grid `columns` wide whose cells are `pitch` twips apart.
PathShape MakeBenchRing(int index, int columns = 40, double pitch = 150, int anchors = BenchAnchors);
// The drawing with `paths` rings. More than BenchPaths spread their grid over
// the canvas and have 20 anchors each, so that the movie stays within the
// player's record limit.
void FillBenchDocument(DrawCore& doc, int paths = BenchPaths);
