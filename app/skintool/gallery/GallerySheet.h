// Shared pieces of the gallery sections: a host form to put controls on, grabbing a
// control's real painting, and the labelled grid a section is laid out in.
#pragma once

#include "skin/core/SKThemes.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

class TControl;
class TForm;
class TskFileTheme;

// A shown form the section's controls live on, so they can take the focus.
std::unique_ptr<TForm> MakeGalleryHost();
// What the control paints, through its own paint messages.
QImage GrabControl(TControl* control);

// One row of a section: its label and one picture per column (null: empty cell).
struct TGalleryRow {
    QString Label;
    QList<QImage> Cells;
};
// The section's title over a grid with the column labels on top, the row labels on
// the left and the cells on the host form's face colour.
QImage LayOutSection(const QString& title, const QStringList& columns,
                     const QList<TGalleryRow>& rows);
// The sections one under another, on one picture.
QImage StackSections(const QList<QImage>& sections);
