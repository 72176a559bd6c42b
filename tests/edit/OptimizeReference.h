#pragma once
#include "core/Records.h"

// The optimisation exactly as described: every removal restarts the phase
// from its first anchor. Slow, kept as the yardstick for OptimizePath.
void OptimizePathReference(PathShape& path, float pointThreshold, float lineThreshold);
