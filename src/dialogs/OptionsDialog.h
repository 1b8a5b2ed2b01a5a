#pragma once

#include <QWidget>

#include "document/KapibuchDoc.h"

namespace dialogs {

// "Optionen": the eleven pages of display options, opened on a page (the one of the
// window's mode). On OK every value goes back into the document, which is modified and
// redrawn.
bool RunOptions(QWidget* parent, CKapibuchDoc& doc, int startPage);

}  // namespace dialogs
