#pragma once
#include <cstdint>

#include "core/DrawCore.h"

// Commands on the selected paths as wholes: open or closed, stacking order
// and groups. The callers record the history step.

// Every selected path becomes closed (flag) or open; no anchor changes.
void SetClosedSelected(DrawCore& doc, bool flag);

// Moves the selected paths to the back (mode 1) or the front (mode 2) of the
// stacking order, keeping the order among them and among the others.
void MoveSelectedZ(DrawCore& doc, int mode);

// flag: the selected paths form one new group. !flag: their groups are
// dissolved but keep their numbers, so they can be formed again.
void SetGroupSelected(DrawCore& doc, bool flag);

// Forms again the group whose number path i carries and selects it alone.
void RegroupPath(DrawCore& doc, std::int32_t i);

// The smallest group number >= start that no path uses.
std::int32_t NewGroupNo(const DrawCore& doc, std::int32_t start);
