#include "style/ToolHints.h"

#include <QCoreApplication>

namespace {
// "　" in the hints is the ideographic space U+3000.
QString OptimizePart(const CanvasSetup& s) {
    QString part;
    if (s.OptimizeFlag > 0) part += QCoreApplication::translate("ToolHints", "自動適用：");
    if (s.OptimizeFlag & 1) part += QCoreApplication::translate("ToolHints", "弱い最適化(%1) ").arg(s.OptimizePoint);
    if (s.OptimizeFlag & 2) part += QCoreApplication::translate("ToolHints", "強い最適化(%1) ").arg(s.OptimizeLine);
    return part;
}
}  // namespace

int ToolForDigit(int digit) {
    if (digit < 1 || digit > 9) return -1;
    return kToolButtons[digit - 1].Index;
}

QString ToolHint(int index, const CanvasSetup& setup) {
    switch (index) {
        case 0: return QCoreApplication::translate("ToolHints", "[自由曲線の描画]　") + OptimizePart(setup);
        case 1: return QCoreApplication::translate("ToolHints", "[パスの変形]　SHIFT：エッジを直線にする　CTRL：エッジを曲線にする");
        case 2: return QCoreApplication::translate("ToolHints", "[パスの選択]　SHIFT：制御点ドラッグで回転　CTRL：複数選択");
        case 3: return QCoreApplication::translate("ToolHints", "[グラデーションの変形]");
        case 4: return QCoreApplication::translate("ToolHints", "[矩形の描画]");
        case 5: return QCoreApplication::translate("ToolHints", "[楕円の描画]");
        case 6: return QCoreApplication::translate("ToolHints", "[直線の描画]　") + OptimizePart(setup);
        case 7: return QCoreApplication::translate("ToolHints", "[多角形の描画]　");
        case 8: return QCoreApplication::translate("ToolHints", "[テキストの描画]　");
        default: return {};
    }
}
