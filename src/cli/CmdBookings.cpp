// buy, sell, move, split, switch-eur: each fills its dialog's form as a user would and
// presses OK; questions are answered OK. A refused check leaves the file untouched.
#include <functional>
#include <ostream>

#include "cli/ChangeSession.h"
#include "cli/Commands.h"
#include "cli/SecurityChoice.h"
#include "forms/AktiensplitForm.h"
#include "forms/AufteilenForm.h"
#include "forms/KaufForm.h"
#include "forms/KontobewegungForm.h"
#include "forms/KontowaehrungForm.h"
#include "forms/VerkaufForm.h"
#include "forms/ZuordnenForm.h"

namespace cli {

std::vector<std::string> SplitList(const std::string& text) {
  // Quantities use "," as decimal mark: with a ";" in the list, ";" separates the values.
  const char separator = text.find(';') != std::string::npos ? ';' : ',';
  std::vector<std::string> values;
  std::string current;
  for (const char c : text) {
    if (c == separator) {
      values.push_back(current);
      current.clear();
    } else if (c != ' ') {
      current += c;
    }
  }
  values.push_back(current);
  return values;
}

namespace {

// Locks and loads FILE, lets `book` fill and confirm the form and book, then saves; `book`
// gives kOk when it booked, otherwise the exit status.
int RunBooking(const Context& ctx, const std::string& file,
               const std::function<int(CKapibuchDoc&, PrintingPrompter&)>& book) {
  ChangeSession change(ctx, file);
  if (const int status = change.Open(); status != kOk) return status;
  PrintingPrompter prompter(ctx.err);
  if (const int status = book(change.Doc(), prompter); status != kOk) return status;
  return change.Commit();
}

// Answers the per-position quantity dialogs (allocation of a sell, assignment of a
// movement) one after the other from a list that names every candidate; a refused answer
// ends the loop.
struct ListAnswers {
  std::vector<std::string> values;
  std::size_t next = 0;
  bool refused = false;

  // A list must hold one quantity per candidate: anything else is wrong usage.
  bool NamesEvery(const Context& ctx, const char* option, std::size_t candidates) const {
    if (values.size() == candidates) return true;
    ctx.err << option << ": " << candidates << (candidates == 1 ? " Stückzahl" : " Stückzahlen")
            << " erwartet (eine je Position, in der Reihenfolge der Liste), " << values.size()
            << " angegeben.\n";
    return false;
  }

  template <typename PositionDialog>
  bool Answer(PositionDialog& dialog, platform::Prompter& prompter) {
    if (next >= values.size()) return false;
    dialog.quantityText = values[next++];
    if (dialog.OnOK(prompter)) return true;
    refused = true;
    return false;
  }
};

bool DateInRange(const Context& ctx, CKBXDatum date, CKBXDatum earliest) {
  if (date >= earliest) return true;
  ctx.err << "Das Datum darf nicht vor dem ersten Tag des Kontos (" << earliest.Format() << ") liegen.\n";
  return false;
}

struct BuyOptions {
  std::string file, date, name, wkn, qty, price, commission, text;
};

struct SellOptions {
  std::string file, date, name, wkn, qty, price, commission, text, allocate;
};

struct MoveOptions {
  std::string file, date, kind, amount, text, security, wkn, assign = "auto", bookTo = "dividende";
};

struct SplitOptions {
  std::string file, date, name, wkn, newShares, oldShares;
};

struct SwitchOptions {
  std::string file, date;
};

int RunBuy(const Context& ctx, const BuyOptions& o) {
  return RunBooking(ctx, o.file, [&](CKapibuchDoc& doc, PrintingPrompter& prompter) {
    KaufForm dlg(doc);
    if (!ParseDay(ctx, o.date, dlg.date)) return kRefused;
    // Typed as in the dialog: a known name fills in its WKN/Kürzel and the reverse.
    dlg.TypeName(o.name);
    if (!o.wkn.empty() && dlg.wkn != o.wkn) dlg.TypeWkn(o.wkn);
    // A known name under a new WKN/Kürzel: typing the WKN cleared the name, so pick it.
    if (!o.name.empty() && dlg.name != o.name) dlg.PickName(o.name);
    dlg.quantityText = o.qty;
    dlg.LeaveQuantity();
    dlg.priceText = o.price;
    dlg.LeavePrice();
    dlg.commissionText = o.commission;
    dlg.LeaveCommission();
    dlg.text = o.text;
    if (!dlg.OnOK(prompter)) return kRefused;
    dlg.Book(doc);
    return kOk;
  });
}

int RunSell(const Context& ctx, const SellOptions& o) {
  return RunBooking(ctx, o.file, [&](CKapibuchDoc& doc, PrintingPrompter& prompter) {
    VerkaufForm dlg(doc);
    CKBXDatum date;
    if (!ParseDay(ctx, o.date, date) || !DateInRange(ctx, date, dlg.EarliestDate())) return kRefused;
    dlg.SetDate(date);
    const SecurityChoice choice{o.name, o.wkn};
    if (!choice.ConsistentAmongPositions(ctx, doc)) return kRefused;
    choice.ApplyTo(dlg);
    dlg.quantityText = o.qty;
    dlg.LeaveQuantity();
    dlg.priceText = o.price;
    dlg.LeavePrice();
    dlg.commissionText = o.commission;
    dlg.LeaveCommission();
    dlg.text = o.text;
    if (!o.allocate.empty() && !dlg.Candidates().empty()) {
      // Every value passes "Aufteilen" (a single position gives the whole quantity anyway).
      ListAnswers answers{SplitList(o.allocate)};
      if (!answers.NamesEvery(ctx, "--allocate", dlg.Candidates().size())) return kUsage;
      dlg.SetAutoAllocate(false);
      dlg.Aufteilen(prompter, [&](AufteilenForm& split) { return answers.Answer(split, prompter); });
      if (answers.refused || prompter.Messages() > 0) return kRefused;
    }
    if (!dlg.OnOK(prompter)) return kRefused;
    dlg.Book(doc);
    return kOk;
  });
}

int RunMove(const Context& ctx, const MoveOptions& o) {
  return RunBooking(ctx, o.file, [&](CKapibuchDoc& doc, PrintingPrompter& prompter) {
    KontobewegungForm dlg(doc);
    CKBXDatum date;
    if (!ParseDay(ctx, o.date, date) || !DateInRange(ctx, date, dlg.EarliestDate())) return kRefused;
    dlg.SetDate(date);
    dlg.SetKindByName(o.kind);
    dlg.amountText = o.amount;
    dlg.LeaveAmount();
    dlg.text = o.text;
    if (!o.security.empty() || !o.wkn.empty()) {
      const SecurityChoice choice{o.security, o.wkn};
      if (!choice.ConsistentAmongPositions(ctx, doc)) return kRefused;
      dlg.SetRelation(true);
      choice.ApplyTo(dlg);
      if (o.assign != "auto" && !dlg.Candidates().empty()) {
        // Every value passes "Zuordnen" (a single position takes the whole amount anyway).
        ListAnswers answers{SplitList(o.assign)};
        if (!answers.NamesEvery(ctx, "--assign", dlg.Candidates().size())) return kUsage;
        dlg.SetAutoAssign(false);
        dlg.Zuordnen([&](ZuordnenForm& assign) { return answers.Answer(assign, prompter); });
        if (answers.refused) return kRefused;
      }
      dlg.SetBookTo(o.bookTo == "kaufpreis"        ? KontobewegungForm::kKaufpreis
                    : o.bookTo == "verkaufserloes" ? KontobewegungForm::kVerkaufserloes
                                                   : KontobewegungForm::kDividende);
    }
    if (!dlg.OnOK(prompter)) return kRefused;
    dlg.Book(doc);
    return kOk;
  });
}

int RunSplit(const Context& ctx, const SplitOptions& o) {
  return RunBooking(ctx, o.file, [&](CKapibuchDoc& doc, PrintingPrompter& prompter) {
    AktiensplitForm dlg(doc);
    if (!ParseDay(ctx, o.date, dlg.date)) return kRefused;
    const SecurityChoice choice{o.name, o.wkn};
    if (!choice.ConsistentAmongPositions(ctx, doc)) return kRefused;
    choice.ApplyTo(dlg);
    dlg.newText = o.newShares;
    dlg.LeaveNew();
    dlg.oldText = o.oldShares;
    dlg.LeaveOld();
    if (!dlg.OnOK(prompter)) return kRefused;
    dlg.Book(doc);
    return kOk;
  });
}

int RunSwitch(const Context& ctx, const SwitchOptions& o) {
  return RunBooking(ctx, o.file, [&](CKapibuchDoc& doc, PrintingPrompter& prompter) {
    if (!KontowaehrungForm::Enabled(doc)) {
      ctx.err << "Das Konto wird bereits in Euro geführt; die Umstellung ist nur einmal möglich.\n";
      return kRefused;
    }
    KontowaehrungForm dlg(doc);
    CKBXDatum date;
    if (!ParseDay(ctx, o.date, date) || !DateInRange(ctx, date, dlg.EarliestDate())) return kRefused;
    dlg.SetDate(date);
    if (!dlg.OnOK(prompter)) return kRefused;
    dlg.Book(doc);
    return kOk;
  });
}

std::vector<std::string> KindNames() {
  std::vector<std::string> names;
  for (const auto& kind : KontobewegungForm::Kinds()) names.emplace_back(kind.name);
  return names;
}

}  // namespace

void AddBookingCommands(CLI::App& app, const Context& ctx, int& result) {
  constexpr const char* kNameHelp = "Bezeichnung (allein wählt sie ihre WKN/Kürzel)";
  constexpr const char* kWknHelp = "WKN/Kürzel (allein wählt sie ihre Bezeichnung)";
  auto buy = std::make_shared<BuyOptions>();
  CLI::App* cmd = app.add_subcommand("buy", "Kauf eines Wertpapiers");
  cmd->add_option("FILE", buy->file)->required();
  cmd->add_option("--date", buy->date, "Kaufdatum (TT.MM.JJJJ)")->required();
  cmd->add_option("--name", buy->name, "Bezeichnung (ein bekannter Name füllt seine WKN/Kürzel ein)");
  cmd->add_option("--wkn", buy->wkn, "WKN/Kürzel (eine bekannte füllt ihre Bezeichnung ein)");
  cmd->add_option("--qty", buy->qty, "Stück");
  cmd->add_option("--price", buy->price, "Kaufkurs, z. B. 12,50 oder 24,45 DM");
  cmd->add_option("--commission", buy->commission, "Provision etc.");
  cmd->add_option("--text", buy->text, "Text");
  cmd->callback([&ctx, &result, buy] { result = RunBuy(ctx, *buy); });

  auto sell = std::make_shared<SellOptions>();
  cmd = app.add_subcommand("sell", "Verkauf von Wertpapieren");
  cmd->add_option("FILE", sell->file)->required();
  cmd->add_option("--date", sell->date, "Verkaufdatum (TT.MM.JJJJ)")->required();
  cmd->add_option("--name", sell->name, kNameHelp);
  cmd->add_option("--wkn", sell->wkn, kWknHelp);
  cmd->add_option("--qty", sell->qty, "Stück");
  cmd->add_option("--price", sell->price, "Verkaufkurs");
  cmd->add_option("--commission", sell->commission, "Provision etc.");
  cmd->add_option("--text", sell->text, "Text");
  cmd->add_option("--allocate", sell->allocate,
                  "Stück je Position in Listenreihenfolge (\"aufteilen...\"), eine Angabe für jede Position, "
                  "getrennt durch \",\" oder, bei Nachkommastellen, durch \";\"");
  cmd->callback([&ctx, &result, sell] { result = RunSell(ctx, *sell); });

  auto move = std::make_shared<MoveOptions>();
  cmd = app.add_subcommand("move", "Kontobewegung");
  cmd->add_option("FILE", move->file)->required();
  cmd->add_option("--date", move->date, "Datum (TT.MM.JJJJ)")->required();
  cmd->add_option("--kind", move->kind, "Vorgang, z. B. \"Dividenden-Gutschrift\"")
      ->required()
      ->check(CLI::IsMember(KindNames()));
  cmd->add_option("--amount", move->amount, "Betrag");
  cmd->add_option("--text", move->text, "Text");
  cmd->add_option("--security", move->security, std::string("Wertpapierbezug: ") + kNameHelp);
  cmd->add_option("--wkn", move->wkn, std::string("Wertpapierbezug: ") + kWknHelp);
  cmd->add_option("--assign", move->assign,
                  "auto, oder Stück je Position in Listenreihenfolge (\"zuordnen...\"), eine Angabe für jede "
                  "Position");
  cmd->add_option("--book-to", move->bookTo, "Verbuchen unter")
      ->check(CLI::IsMember({"kaufpreis", "dividende", "verkaufserloes"}));
  cmd->callback([&ctx, &result, move] { result = RunMove(ctx, *move); });

  auto split = std::make_shared<SplitOptions>();
  cmd = app.add_subcommand("split", "Aktiensplit");
  cmd->add_option("FILE", split->file)->required();
  cmd->add_option("--date", split->date, "Splitdatum (TT.MM.JJJJ)")->required();
  cmd->add_option("--name", split->name, kNameHelp);
  cmd->add_option("--wkn", split->wkn, kWknHelp);
  cmd->add_option("--new", split->newShares, "neue Aktien")->required();
  cmd->add_option("--old", split->oldShares, "für alte Aktie(n)")->required();
  cmd->callback([&ctx, &result, split] { result = RunSplit(ctx, *split); });

  auto switchEur = std::make_shared<SwitchOptions>();
  cmd = app.add_subcommand("switch-eur", "Kontowährung von DM auf Euro umstellen");
  cmd->add_option("FILE", switchEur->file)->required();
  cmd->add_option("--date", switchEur->date, "Umstellungsdatum (TT.MM.JJJJ)")->required();
  cmd->callback([&ctx, &result, switchEur] { result = RunSwitch(ctx, *switchEur); });
}

}  // namespace cli
