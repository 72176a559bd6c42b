#include "style/ToolHints.h"

namespace {
// "　" in the hints is the ideographic space U+3000.
QString OptimizePart(const CanvasSetup& s) {
    QString part;
    if (s.OptimizeFlag > 0) part += "自動適用：";
    if (s.OptimizeFlag & 1) part += "弱い最適化(" + QString::number(s.OptimizePoint) + ") ";
    if (s.OptimizeFlag & 2) part += "強い最適化(" + QString::number(s.OptimizeLine) + ") ";
    return part;
}
}  // namespace

int ToolForDigit(int digit) {
    if (digit < 1 || digit > 9) return -1;
    return kToolButtons[digit - 1].Index;
}

QString ToolHint(int index, const CanvasSetup& setup) {
    switch (index) {
        case 0: return "[自由曲線の描画]　" + OptimizePart(setup);
        case 1: return "[パスの変形]　SHIFT：エッジを直線にする　CTRL：エッジを曲線にする";
        case 2: return "[パスの選択]　SHIFT：制御点ドラッグで回転　CTRL：複数選択";
        case 3: return "[グラデーションの変形]";
        case 4: return "[矩形の描画]";
        case 5: return "[楕円の描画]";
        case 6: return "[直線の描画]　" + OptimizePart(setup);
        case 7: return "[多角形の描画]　";
        case 8: return "[テキストの描画]　";
        default: return {};
    }
}
