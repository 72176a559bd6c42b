#pragma once
#include <vector>

#include "core/Records.h"

// A copy of all paths taken when a handle drag (or the optimisation dialog)
// starts; every drag step starts again from it. 1-based like `Paths`:
// element 0 holds no shape, an empty vector means no snapshot.
struct DragSnapshot {
    std::vector<PathShape> DragCopy;
};
