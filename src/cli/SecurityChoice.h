#pragma once
// How --name and --wkn choose a security, as in the dialogs: the name alone selects its
// WKN/Kürzel, the WKN/Kürzel alone its name, and a name with a WKN/Kürzel must name one
// security.

#include <string>

#include "cli/Cli.h"

namespace cli {

struct SecurityChoice {
  std::string name;
  std::string wkn;

  // False, with the refusal printed, when the name and the WKN/Kürzel are both known but no
  // security carries the two together. Securities are the positions' pairs, or for the
  // price files the price histories'.
  bool ConsistentAmongPositions(const Context& ctx, const CKapibuchDoc& doc) const;
  bool ConsistentAmongHistories(const Context& ctx, const CKapibuchDoc& doc) const;

  // Chooses in a form as a user picks from its lists; what is not offered stays unchosen,
  // and the form's own check reports it.
  template <typename Form>
  void ApplyTo(Form& form) const {
    if (!name.empty() && !wkn.empty()) {
      form.ChooseSecurity(name, wkn);
    } else if (!name.empty()) {
      form.ChooseName(name);
    } else if (!wkn.empty()) {
      form.ChooseWkn(wkn);
    }
  }

 private:
  bool Consistent(const Context& ctx, bool nameKnown, bool wknKnown, bool pairKnown) const;
};

}  // namespace cli
