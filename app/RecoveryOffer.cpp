// Start-up: drawings left by editors that ended without saving are offered back.
#include "app/CrashRecovery.h"
#include "app/DrawGUI.h"
#include "core/DocumentFile.h"
#include "core/History.h"
#include "core/PathNames.h"
#include "swf/Preview.h"

bool DrawGUI::OfferRecovery() {
    for (const QString& path : recovery_->OrphanedCopies()) {
        const auto answer = dialogs_->MessageBox(this, QMessageBox::Question, "Lumivane",
                                                 tr("前回保存されずに終了した図形があります。復元しますか？"),
                                                 QMessageBox::Yes | QMessageBox::No);
        if (answer != QMessageBox::Yes) {
            CrashRecovery::Discard(path);
            continue;
        }
        CrashRecovery::Copy copy;
        if (!CrashRecovery::ReadCopy(path, copy)) {
            ShowInvalidFile(path);
            CrashRecovery::Discard(path, true);
            continue;
        }
        core_.ResetDocument();
        ParseDocument(copy.Document, core_.Setup, core_.Paths);
        core_.DocFileName = copy.FileName;
        core_.SetCaption(copy.FileName.empty() ? DrawCore::NewCaption()
                                               : DrawCore::FileCaption(GetFileName(copy.FileName)));
        SnapshotHistory(core_);
        InvalidateUnderlay(mk_);
        RebuildPreview();
        Form_Resize();
        core_.SetModified(true);
        // This editor's own copy takes over from the old one.
        recovery_->WriteNow();
        CrashRecovery::Discard(path);
        return true;
    }
    return false;
}
