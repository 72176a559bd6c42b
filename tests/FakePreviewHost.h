#pragma once
#include <vector>

#include "core/PreviewHost.h"

// Counts the rebuild and redraw requests of the routines under test.
class FakePreviewHost : public PreviewHost {
public:
    void RebuildPreview() override { ++Rebuilds; }
    void DispShape(int mode) override { Modes.push_back(mode); }
    int Rebuilds = 0;
    std::vector<int> Modes;
};
