#pragma once
#include <QString>

#include "core/Records.h"

// The nine tool buttons from the top of the panel: tool index and caption.
struct ToolButtonInfo {
    int Index;
    const char* Caption;
};
// Captions are translated in the "ToolPanel" context.
inline constexpr ToolButtonInfo kToolButtons[] = {
    {2, QT_TRANSLATE_NOOP("ToolPanel", "選択")}, {1, QT_TRANSLATE_NOOP("ToolPanel", "変形")},
    {3, QT_TRANSLATE_NOOP("ToolPanel", "グラデ")}, {0, QT_TRANSLATE_NOOP("ToolPanel", "鉛筆")},
    {6, "＼"}, {4, "□"}, {5, "○"}, {7, "☆"}, {8, QT_TRANSLATE_NOOP("ToolPanel", "文字")}};

// Tool index of digit key 1..9 (the panel from top to bottom); -1 for any other value.
int ToolForDigit(int digit);

// The status hint of tool `index` as far as it is fixed: for the pencil and
// the line tool it carries the automatic optimisation settings; for the
// polygon and text tools it is the prefix their dialogs extend.
QString ToolHint(int index, const CanvasSetup& setup);
