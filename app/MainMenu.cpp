// The main menu bar and the enabling of its items.
#include <QMenuBar>

#include "app/DrawGUI.h"
#include "app/MenuShortcuts.h"
#include "core/History.h"
#include "edit/MenuRules.h"

namespace {
QAction* AddItem(QMenu* menu, const QString& caption, const QKeySequence& shortcut = {}) {
    QAction* action = menu->addAction(caption);
    if (!shortcut.isEmpty()) action->setShortcut(shortcut);
    return action;
}
}  // namespace

void DrawGUI::CreateMenus() {
    mnuFile = menuBar()->addMenu("ファイル(&F)");
    mnuNewCanvas = AddItem(mnuFile, "新規作成(&N)", QKeySequence(Qt::CTRL | Qt::Key_N));
    mnuOpenFile = AddItem(mnuFile, "ファイルを開く(&O)...", QKeySequence(Qt::CTRL | Qt::Key_O));
    mnuSaveFile = AddItem(mnuFile, "上書き保存(&S)", QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuSaveFileAs = AddItem(mnuFile, "名前を付けて保存(&A)...");
    mnuImport = AddItem(mnuFile, "読み込み(&I)...");
    mnuFile->addSeparator();
    mnuClipWrite = AddItem(mnuFile, "クリップを書き出す(&C)...");
    mnuClipRead = AddItem(mnuFile, "クリップを読み込む(&R)...");
    mnuExport = AddItem(mnuFile, "書き出し(&E)...");
    mnuFile->addSeparator();
    mnuPropertyCanvasFile = AddItem(mnuFile, "キャンバスのプロパティ(&P)...");
    mnuFile->addSeparator();
    mnuQuit = AddItem(mnuFile, "終了(&Q)");

    mnuEdit = menuBar()->addMenu("編集(&E)");
    mnuUnDo = AddItem(mnuEdit, "元に戻す(&U)", QKeySequence(Qt::CTRL | Qt::Key_Z));
    mnuReDo = AddItem(mnuEdit, "やり直す(&R)", QKeySequence(Qt::CTRL | Qt::Key_Y));
    mnuEdit->addSeparator();
    mnuCopyPathEdit = AddItem(mnuEdit, "コピー(&C)", QKeySequence(Qt::CTRL | Qt::Key_C));
    mnuCutPathEdit = AddItem(mnuEdit, "切り取り(&T)", QKeySequence(Qt::CTRL | Qt::Key_X));
    mnuDeletePathEdit = AddItem(mnuEdit, "削除(&D)", QKeySequence(Qt::Key_Delete));
    mnuPastePathEdit = AddItem(mnuEdit, "貼り付け(&P)", QKeySequence(Qt::CTRL | Qt::Key_V));
    mnuSelectAllEdit = AddItem(mnuEdit, "全て選択(&A)", QKeySequence(Qt::CTRL | Qt::Key_A));

    mnuHelp = menuBar()->addMenu("ヘルプ(&H)");
    mnuVersion = AddItem(mnuHelp, "バージョン情報(&V)...");

    connect(mnuNewCanvas, &QAction::triggered, this, &DrawGUI::mnuNewCanvas_Click);
    connect(mnuOpenFile, &QAction::triggered, this, &DrawGUI::mnuOpenFile_Click);
    connect(mnuSaveFile, &QAction::triggered, this, &DrawGUI::mnuSaveFile_Click);
    connect(mnuSaveFileAs, &QAction::triggered, this, &DrawGUI::mnuSaveFileAs_Click);
    connect(mnuImport, &QAction::triggered, this, &DrawGUI::mnuImport_Click);
    connect(mnuClipWrite, &QAction::triggered, this, &DrawGUI::mnuClipWrite_Click);
    connect(mnuClipRead, &QAction::triggered, this, &DrawGUI::mnuClipRead_Click);
    connect(mnuExport, &QAction::triggered, this, &DrawGUI::mnuExport_Click);
    connect(mnuPropertyCanvasFile, &QAction::triggered, this, &DrawGUI::mnuPropertyCanvasFile_Click);
    connect(mnuVersion, &QAction::triggered, this, &DrawGUI::mnuVersion_Click);
    connect(mnuQuit, &QAction::triggered, this, &DrawGUI::mnuQuit_Click);
    connect(mnuUnDo, &QAction::triggered, this, &DrawGUI::mnuUnDo_Click);
    connect(mnuReDo, &QAction::triggered, this, &DrawGUI::mnuReDo_Click);
    connect(mnuCopyPathEdit, &QAction::triggered, this, &DrawGUI::mnuCopyPathEdit_Click);
    connect(mnuCutPathEdit, &QAction::triggered, this, &DrawGUI::mnuCutPathEdit_Click);
    connect(mnuDeletePathEdit, &QAction::triggered, this, &DrawGUI::mnuDeletePathEdit_Click);
    connect(mnuPastePathEdit, &QAction::triggered, this, &DrawGUI::mnuPastePathEdit_Click);
    connect(mnuSelectAllEdit, &QAction::triggered, this, &DrawGUI::mnuSelectAllEdit_Click);

    // The menus compute their items' state when they open. While closed every
    // item stays enabled so that its shortcut reaches the command, which
    // checks the same conditions itself.
    connect(mnuFile, &QMenu::aboutToShow, this, &DrawGUI::mnuFile_Click);
    connect(mnuEdit, &QMenu::aboutToShow, this, &DrawGUI::mnuEdit_Click);
    connect(mnuFile, &QMenu::aboutToHide, this, &DrawGUI::EnableAllCommands);
    connect(mnuEdit, &QMenu::aboutToHide, this, &DrawGUI::EnableAllCommands);
    EnableAllCommands();
    new MenuShortcuts(this);
}

void DrawGUI::EnableAllCommands() {
    for (QAction* action : {mnuClipWrite, mnuUnDo, mnuReDo, mnuCopyPathEdit, mnuCutPathEdit, mnuDeletePathEdit,
                            mnuPastePathEdit, mnuSelectAllEdit})
        action->setEnabled(true);
}

void DrawGUI::mnuFile_Click() { mnuClipWrite->setEnabled(core_.GetSelectedCount() >= 1 && edit_.ToolMode == 2); }

void DrawGUI::mnuEdit_Click() {
    mnuUnDo->setEnabled(CanUndo(core_));
    mnuReDo->setEnabled(CanRedo(core_));
    const EditMenuRules rules = EditMenuState(core_, edit_.ToolMode);
    mnuCopyPathEdit->setEnabled(rules.Copy);
    mnuCutPathEdit->setEnabled(rules.Cut);
    mnuDeletePathEdit->setEnabled(rules.Delete);
    mnuPastePathEdit->setEnabled(rules.Paste);
    mnuSelectAllEdit->setEnabled(rules.SelectAll);
}
