#include "cli/SecurityChoice.h"

#include <ostream>

#include "forms/FormSupport.h"

namespace cli {

bool SecurityChoice::Consistent(const Context& ctx, bool nameKnown, bool wknKnown, bool pairKnown) const {
  if (name.empty() || wkn.empty() || pairKnown || !nameKnown || !wknKnown) return true;
  Refuse(ctx, "Die Bezeichnung \"" + name + "\" und die WKN/Kürzel \"" + wkn +
                  "\" gehören zu verschiedenen Wertpapieren.");
  return false;
}

bool SecurityChoice::ConsistentAmongPositions(const Context& ctx, const CKapibuchDoc& doc) const {
  return Consistent(ctx, forms::LastWknOfName(doc, name).has_value(),
                    forms::LastNameOfWkn(doc, wkn).has_value(), forms::HasSecurity(doc, name, wkn));
}

bool SecurityChoice::ConsistentAmongHistories(const Context& ctx, const CKapibuchDoc& doc) const {
  return Consistent(ctx, forms::LastHistoryWithName(doc, name) != nullptr,
                    forms::LastHistoryWithWkn(doc, wkn) != nullptr, doc.FindHistory(name, wkn) != nullptr);
}

}  // namespace cli
