#pragma once
#include "core/DrawCore.h"

// The benchmarks' drawing: 1,000 closed paths of 100 anchors on a
// 1000 × 1000 canvas, mixing straight and curved edges, every fill kind,
// outlines on and off, and translucent gradient colours.
inline constexpr int BenchPaths = 1000;
inline constexpr int BenchAnchors = 100;

PathShape MakeBenchRing(int index);
void FillBenchDocument(DrawCore& doc);
