#pragma once

// The end of the road every change takes: the owner of the preview rebuilds
// the movie file from the paths and redraws the canvas from it.
class PreviewHost {
public:
    virtual ~PreviewHost() = default;
    virtual void RebuildPreview() = 0;
    // 0 clears first, 1 repaints, 2 as 1 keeping the selection readout, 3 as 1 without the selection overlay.
    virtual void DispShape(int mode) = 0;
};
