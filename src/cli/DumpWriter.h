#pragma once
// The whole document as the JSON of `dump`, written piece by piece: only one position,
// price history or transaction is held as JSON at a time, so the output of a large
// portfolio never has to fit in memory.

#include <iosfwd>

#include "document/KapibuchDoc.h"

namespace cli {

// Writes the JSON (two-space indentation) and a final line break.
void WriteDump(std::ostream& out, const CKapibuchDoc& doc);

}  // namespace cli
