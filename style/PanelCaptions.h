#pragma once
#include <QList>

class QAbstractButton;

// Makes the captions of `buttons` show whole within each control's fixed
// size: check indicators are drawn small and close to their captions, and
// the buttons take the largest font, not above their own, at which all fit.
void FitCaptions(const QList<QAbstractButton*>& buttons);

// Draws the pressed one of mutually exclusive `buttons` in the highlight
// colour, so the current tool stands out at a glance.
void HighlightDownButton(const QList<QAbstractButton*>& buttons);
