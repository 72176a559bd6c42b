#pragma once
#include "core/DrawCore.h"

// Whole-drawing undo snapshots.
void PushHistory(DrawCore& doc);
void UndoHistory(DrawCore& doc);
void RedoHistory(DrawCore& doc);
bool CanUndo(const DrawCore& doc);
bool CanRedo(const DrawCore& doc);
// Makes entry HistoryPos a snapshot of the live drawing (used after opening).
void SnapshotHistory(DrawCore& doc);
