#pragma once
// Makes the view object of a mode for a document.

#include <memory>

#include "document/KapibuchDoc.h"
#include "views/ModeView.h"

namespace views {

std::unique_ptr<ModeView> CreateModeView(ViewMode mode, const CKapibuchDoc& doc);

}  // namespace views
