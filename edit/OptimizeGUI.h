#pragma once
#include <QDialog>
#include <cstdint>
#include <functional>

#include "core/DrawCore.h"
#include "core/PreviewHost.h"
#include "edit/DragSnapshot.h"

class QLabel;
class QPushButton;
class QSlider;

// The dialog "パスの最適化": two thresholds with a live preview of the
// optimisation of one path. It snapshots the document when it opens; every
// slider change previews from that snapshot, "適用(&A)" keeps the result as
// one history step and cancelling (or closing) restores the snapshot.
// Created once and hidden between uses so its sliders keep their values.
class OptimizeGUI : public QDialog {
    Q_OBJECT
public:
    OptimizeGUI(DrawCore& doc, DragSnapshot& snapshot, PreviewHost& host, QWidget* parent = nullptr);

    // Prepares the dialog for path `pathIndex` (snapshot, sliders from the
    // settings, first preview) and places its top-left corner at `topLeft`
    // (screen coordinates, given by the caller: just below the canvas).
    // Returns false, leaving everything untouched, when there is no such path.
    bool Prepare(std::int32_t pathIndex, const QPoint& topLeft);
    // Prepare, then run modally until applied or cancelled. Returns
    // QDialog::Accepted after "適用(&A)", QDialog::Rejected otherwise.
    int ExecFor(std::int32_t pathIndex, const QPoint& topLeft);
    // Prepare, then show as a modal window without blocking (tests, embedding).
    bool ShowFor(std::int32_t pathIndex, const QPoint& topLeft);

    // Restores the snapshot and previews with the current slider values.
    void OptimizePreview();

    // Optional: draws the previewed path's control polygon with all anchors
    // after each preview redraw (the canvas overlay of the owner).
    std::function<void(std::int32_t pathIndex)> DrawPathEdge;

    std::int32_t PathIndex() const { return m_path; }

public slots:
    void accept() override;
    void reject() override;

private:
    void HScroll1_Change(int value);
    void HScroll2_Change(int value);

    DrawCore& m_doc;
    DragSnapshot& m_snapshot;
    PreviewHost& m_host;
    std::int32_t m_path = 0;

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QSlider* HScroll1;
    QSlider* HScroll2;
    QPushButton* Command1;
    QPushButton* Command2;
};
