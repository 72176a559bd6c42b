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
    mnuFile = menuBar()->addMenu(tr("ファイル(&F)"));
    mnuNewCanvas = AddItem(mnuFile, tr("新規作成(&N)"), QKeySequence(Qt::CTRL | Qt::Key_N));
    mnuOpenFile = AddItem(mnuFile, tr("ファイルを開く(&O)..."), QKeySequence(Qt::CTRL | Qt::Key_O));
    mnuSaveFile = AddItem(mnuFile, tr("上書き保存(&S)"), QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuSaveFileAs = AddItem(mnuFile, tr("名前を付けて保存(&A)..."));
    mnuImport = AddItem(mnuFile, tr("読み込み(&I)..."));
    mnuFile->addSeparator();
    mnuClipWrite = AddItem(mnuFile, tr("クリップを書き出す(&C)..."));
    mnuClipRead = AddItem(mnuFile, tr("クリップを読み込む(&R)..."));
    mnuExport = AddItem(mnuFile, tr("書き出し(&E)..."));
    mnuFile->addSeparator();
    mnuPropertyCanvasFile = AddItem(mnuFile, tr("キャンバスのプロパティ(&P)..."));
    mnuFile->addSeparator();
    mnuQuit = AddItem(mnuFile, tr("終了(&Q)"));

    mnuEdit = menuBar()->addMenu(tr("編集(&E)"));
    mnuUnDo = AddItem(mnuEdit, tr("元に戻す(&U)"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    mnuReDo = AddItem(mnuEdit, tr("やり直す(&R)"), QKeySequence(Qt::CTRL | Qt::Key_Y));
    mnuEdit->addSeparator();
    mnuCopyPathEdit = AddItem(mnuEdit, tr("コピー(&C)"), QKeySequence(Qt::CTRL | Qt::Key_C));
    mnuCutPathEdit = AddItem(mnuEdit, tr("切り取り(&T)"), QKeySequence(Qt::CTRL | Qt::Key_X));
    mnuDeletePathEdit = AddItem(mnuEdit, tr("削除(&D)"), QKeySequence(Qt::Key_Delete));
    mnuPastePathEdit = AddItem(mnuEdit, tr("貼り付け(&P)"), QKeySequence(Qt::CTRL | Qt::Key_V));
    mnuSelectAllEdit = AddItem(mnuEdit, tr("全て選択(&A)"), QKeySequence(Qt::CTRL | Qt::Key_A));

    mnuHelp = menuBar()->addMenu(tr("ヘルプ(&H)"));
    mnuVersion = AddItem(mnuHelp, tr("バージョン情報(&V)..."));

    for (auto [action, command] : std::initializer_list<std::pair<QAction*, void (DrawGUI::*)()>>{
             {mnuNewCanvas, &DrawGUI::mnuNewCanvas_Click},
             {mnuOpenFile, &DrawGUI::mnuOpenFile_Click},
             {mnuSaveFile, &DrawGUI::mnuSaveFile_Click},
             {mnuSaveFileAs, &DrawGUI::mnuSaveFileAs_Click},
             {mnuImport, &DrawGUI::mnuImport_Click},
             {mnuClipWrite, &DrawGUI::mnuClipWrite_Click},
             {mnuClipRead, &DrawGUI::mnuClipRead_Click},
             {mnuExport, &DrawGUI::mnuExport_Click},
             {mnuPropertyCanvasFile, &DrawGUI::mnuPropertyCanvasFile_Click},
             {mnuVersion, &DrawGUI::mnuVersion_Click},
             {mnuQuit, &DrawGUI::mnuQuit_Click},
             {mnuUnDo, &DrawGUI::mnuUnDo_Click},
             {mnuReDo, &DrawGUI::mnuReDo_Click},
             {mnuCopyPathEdit, &DrawGUI::mnuCopyPathEdit_Click},
             {mnuCutPathEdit, &DrawGUI::mnuCutPathEdit_Click},
             {mnuDeletePathEdit, &DrawGUI::mnuDeletePathEdit_Click},
             {mnuPastePathEdit, &DrawGUI::mnuPastePathEdit_Click},
             {mnuSelectAllEdit, &DrawGUI::mnuSelectAllEdit_Click}})
        connect(action, &QAction::triggered, this, [this, command = command] { RunMenuCommand(command); });

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

void DrawGUI::RunMenuCommand(void (DrawGUI::*command)()) {
    // A gesture in progress holds a snapshot and hit state that a change of
    // the paths under it would make wrong: while a button is down, no command.
    if (edit_.ButtonHeld) return;
    (this->*command)();
    gestures_.RefreshHover();
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
