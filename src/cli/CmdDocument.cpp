// new, holder, price, dump.
#include <ostream>

#include "cli/ChangeSession.h"
#include "cli/Commands.h"
#include "cli/DumpWriter.h"
#include "cli/SecurityChoice.h"
#include "forms/DepotdatenForm.h"
#include "forms/FormSupport.h"
#include "forms/KurseEingebenForm.h"
#include "forms/NeueDateiWizard.h"
#include "model/KBXKursverlauf.h"

namespace cli {
namespace {

struct NewOptions {
  std::string file, holder, address, depot, account, blz, start, balance = "0", currency = "EUR";
};

struct HolderOptions {
  std::string file;
  std::optional<std::string> holder, address, depot, account, blz;
};

struct PriceOptions {
  std::string file, date, name, wkn, price;
};

struct DumpOptions {
  std::string file, format = "json";
};

int RunNew(const Context& ctx, const NewOptions& o) {
  ChangeSession change(ctx, o.file);
  if (const int status = change.OpenNew(); status != kOk) return status;
  CNeueDateiWizard wizard(CKBXDatum::Today(ctx.clock));
  wizard.page1.holder = o.holder;
  wizard.page1.address = o.address;
  wizard.page1.depotNumber = o.depot;
  wizard.page1.accountNumber = o.account;
  wizard.page1.bankCode = o.blz;
  PrintingPrompter prompter(ctx.err);
  if (!wizard.page1.OnNext(prompter)) return kRefused;
  if (!o.start.empty() && !ParseDay(ctx, o.start, wizard.page2.startDay)) return kRefused;
  wizard.page2.ChooseCurrency(o.currency == "DM" ? kDm : kEur);
  wizard.page2.balanceText = o.balance;
  if (!wizard.page2.LeaveBalance()) {
    return Refuse(ctx, "Der Kontostand \"" + o.balance + "\" ist kein gültiger Betrag.");
  }
  change.Doc().SetupNew(wizard.Result());
  return change.CommitNew();
}

int RunHolder(const Context& ctx, const HolderOptions& o) {
  ChangeSession change(ctx, o.file);
  if (const int status = change.Open(); status != kOk) return status;
  CKapibuchDoc* doc = &change.Doc();
  DepotdatenForm dlg(*doc);
  if (o.holder) dlg.holder = *o.holder;
  if (o.address) dlg.address = *o.address;
  if (o.depot) dlg.depotNumber = *o.depot;
  if (o.account) dlg.accountNumber = *o.account;
  if (o.blz) dlg.bankCode = *o.blz;
  PrintingPrompter prompter(ctx.err);
  if (!dlg.OnOK(prompter)) return kRefused;
  dlg.Book(*doc);
  return change.Commit();
}

int RunPrice(const Context& ctx, const PriceOptions& o) {
  ChangeSession change(ctx, o.file);
  if (const int status = change.Open(); status != kOk) return status;
  CKapibuchDoc* doc = &change.Doc();
  CKBXDatum day;
  if (!ParseDay(ctx, o.date, day)) return kRefused;
  // The security as the price-file dialogs choose it: by its price history.
  const SecurityChoice choice{o.name, o.wkn};
  if (!choice.ConsistentAmongHistories(ctx, *doc)) return kRefused;
  const CKBXKursverlauf* history = o.wkn.empty()    ? forms::LastHistoryWithName(*doc, o.name)
                                   : o.name.empty() ? forms::LastHistoryWithWkn(*doc, o.wkn)
                                                    : doc->FindHistory(o.name, o.wkn);
  if (!history) {
    const std::string security = o.wkn.empty()    ? "\"" + o.name + "\""
                                 : o.name.empty() ? "mit der WKN/Kürzel \"" + o.wkn + "\""
                                                  : "\"" + o.name + "\" (" + o.wkn + ")";
    return Refuse(ctx, "Für das Wertpapier " + security + " gibt es keinen Kursverlauf.");
  }
  std::int32_t amount = 0;
  Currency currency = kEur;
  if (!o.price.empty() && (!ParseMoney(o.price, amount, currency, true) || amount < 0)) {
    return Refuse(ctx, "Der Kurs \"" + o.price + "\" ist kein gültiger Betrag.");
  }
  KurseEingebenForm dlg(*doc);
  dlg.SetDay(day);
  dlg.SetOnlyHeld(false);
  const int row = dlg.ShowEntry(history);
  dlg.SetPriceText(row, o.price);
  dlg.LeavePrice(row);
  return change.Commit(doc->Apply(dlg.Change()));  // nothing changed: the file stays as it is
}

int RunDump(const Context& ctx, const DumpOptions& o) {
  std::unique_ptr<CKapibuchDoc> doc;
  if (const int status = LoadDocument(ctx, o.file, doc); status != kOk) return status;
  WriteDump(ctx.out, *doc);
  return kOk;
}

}  // namespace

void AddDocumentCommands(CLI::App& app, const Context& ctx, int& result) {
  auto newOptions = std::make_shared<NewOptions>();
  CLI::App* cmd = app.add_subcommand("new", "Neue Kapitalbuch-Datei anlegen (Assistent \"Neue Datei\")");
  cmd->add_option("FILE", newOptions->file, "die neue Datei")->required();
  cmd->add_option("--holder", newOptions->holder, "Name des Depotinhabers");
  cmd->add_option("--address", newOptions->address, "Adresse des Depotinhabers");
  cmd->add_option("--depot", newOptions->depot, "Depotnummer");
  cmd->add_option("--account", newOptions->account, "Kontonummer");
  cmd->add_option("--blz", newOptions->blz, "Bankleitzahl");
  cmd->add_option("--start", newOptions->start,
                  "erster Tag (TT.MM.JJJJ), Vorgabe 1. Januar des laufenden Jahres");
  cmd->add_option("--balance", newOptions->balance, "Kontostand zu Beginn dieses Tages");
  cmd->add_option("--currency", newOptions->currency, "Währung des Kontos an diesem Tag")
      ->check(CLI::IsMember({"EUR", "DM"}));
  cmd->callback([&ctx, &result, newOptions] { result = RunNew(ctx, *newOptions); });

  auto holderOptions = std::make_shared<HolderOptions>();
  cmd = app.add_subcommand("holder", "Depotdaten ändern");
  cmd->add_option("FILE", holderOptions->file)->required();
  cmd->add_option("--holder", holderOptions->holder, "Name des Depotinhabers");
  cmd->add_option("--address", holderOptions->address, "Adresse des Depotinhabers");
  cmd->add_option("--depot", holderOptions->depot, "Depotnummer");
  cmd->add_option("--account", holderOptions->account, "Kontonummer");
  cmd->add_option("--blz", holderOptions->blz, "Bankleitzahl");
  cmd->callback([&ctx, &result, holderOptions] { result = RunHolder(ctx, *holderOptions); });

  auto priceOptions = std::make_shared<PriceOptions>();
  cmd = app.add_subcommand("price", "Einen Kurs eingeben oder (mit --price \"\") löschen");
  cmd->add_option("FILE", priceOptions->file)->required();
  cmd->add_option("--date", priceOptions->date, "Tag (TT.MM.JJJJ)")->required();
  auto* name =
      cmd->add_option("--name", priceOptions->name, "Bezeichnung (allein wählt sie ihre WKN/Kürzel)");
  auto* wkn = cmd->add_option("--wkn", priceOptions->wkn, "WKN/Kürzel (allein wählt sie ihre Bezeichnung)");
  cmd->add_option("--price", priceOptions->price, "Kurs, z. B. 12,50 oder 24,45 DM")->required();
  cmd->callback([&ctx, &result, priceOptions, name, wkn] {
    if (name->count() == 0 && wkn->count() == 0) throw CLI::RequiredError("--name or --wkn");
    result = RunPrice(ctx, *priceOptions);
  });

  auto dumpOptions = std::make_shared<DumpOptions>();
  cmd = app.add_subcommand("dump", "Das ganze Dokument als JSON ausgeben");
  cmd->add_option("FILE", dumpOptions->file)->required();
  cmd->add_option("--format", dumpOptions->format)->check(CLI::IsMember({"json"}));
  cmd->callback([&ctx, &result, dumpOptions] { result = RunDump(ctx, *dumpOptions); });
}

}  // namespace cli
