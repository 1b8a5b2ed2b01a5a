// new, holder, price, dump.
#include <filesystem>
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/Commands.h"
#include "cli/SecurityChoice.h"
#include "forms/DepotdatenDlg.h"
#include "forms/FormSupport.h"
#include "forms/KurseEingebenDlg.h"
#include "forms/NeueDateiWizard.h"
#include "model/KBXKursverlauf.h"

namespace cli {
namespace {

using nlohmann::ordered_json;

std::string CurrencyName(Currency c) {
  return c == kDm ? "DM" : "EUR";
}

ordered_json Money(std::int64_t amount, Currency currency) {
  return ordered_json{{"amount", amount}, {"currency", CurrencyName(currency)}};
}

ordered_json Split(std::int64_t eur, std::int64_t dm) {
  return ordered_json{{"eur", eur}, {"dm", dm}};
}

struct SettingsJson {
  ordered_json& target;
  void int32(const std::string& name, std::int32_t& value) { target[name] = value; }
  void text(const std::string& name, std::string& value) { target[name] = value; }
  void reserved() {}
};

ordered_json DumpJson(const CKapibuchDoc& doc) {
  ordered_json root;
  root["magic"] = CKapibuchDoc::kMagic;
  root["lastPositionNumber"] = doc.LastPositionNumber();
  root["depotNumber"] = doc.depotNumber;

  ordered_json settings = ordered_json::object();
  ViewSettings copy = doc.settings;
  SettingsJson visitor{settings};
  VisitStoredSettings(visitor, copy);
  settings["general.periodStartDay"] = doc.settings.general.periodStartDay.Format();
  settings["general.periodEndDay"] = doc.settings.general.periodEndDay.Format();
  root["settings"] = settings;

  ordered_json positions = ordered_json::array();
  for (const auto& p : doc.Positions()) {
    positions.push_back(ordered_json{
        {"number", p->number},
        {"state", p->state},
        {"name", p->name},
        {"wkn", p->wkn},
        {"quantity", p->Quantity()},
        {"purchaseDate", p->purchaseDate.Format()},
        {"purchasePrice", Money(p->purchasePrice, p->purchasePriceCurrency)},
        {"purchaseCommission", Money(p->purchaseCommission, p->purchaseCommissionCurrency)},
        {"saleDate", p->saleDate.Format()},
        {"salePrice", Money(p->salePrice, p->salePriceCurrency)},
        {"saleCommission", Money(p->saleCommission, p->saleCommissionCurrency)},
        {"purchaseNote", p->purchaseNote},
        {"saleNote", p->saleNote},
        {"cost", Split(p->costEur, p->costDm)},
        {"proceeds", Split(p->proceedsEur, p->proceedsDm)},
        {"dividends", Split(p->dividendEur, p->dividendDm)},
    });
  }
  root["positions"] = positions;

  ordered_json histories = ordered_json::array();
  for (const auto& h : doc.Histories()) {
    ordered_json points = ordered_json::array();
    for (const CKBXKurs& point : h->Points())
      points.push_back(ordered_json::array({point.Date().Format(), point.Price()}));
    histories.push_back(ordered_json{{"name", h->Name()}, {"wkn", h->Wkn()}, {"points", points}});
  }
  root["histories"] = histories;

  const CKBXKonto& k = doc.Account();
  ordered_json transactions = ordered_json::array();
  for (const auto& t : k.Transactions()) {
    transactions.push_back(ordered_json{{"date", t->date.Format()},
                                        {"kind", t->kind},
                                        {"kindName", CKBXKonto::KindName(*t)},
                                        {"positionNumber", t->positionNumber},
                                        {"text", t->text},
                                        {"dm", t->amountDm},
                                        {"eur", t->amountEur}});
  }
  const SplitAmount adjustment = k.StartCapitalAdjustment();
  root["account"] = ordered_json{
      {"holder", k.holder},
      {"address", k.address},
      {"accountNumber", k.accountNumber},
      {"bankCode", k.bankCode},
      {"initialised", k.IsInitialised()},
      {"initialCurrency", CurrencyName(k.InitialCurrency())},
      {"openingBalance", k.OpeningBalance()},
      {"startDay", k.StartDay().Format()},
      {"switched", k.IsSwitched()},
      {"switchDay", k.SwitchDay().Format()},
      {"startCapitalAdjustment", Split(adjustment.eur, adjustment.dm)},
      {"transactions", transactions},
  };
  return root;
}

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
  if (std::filesystem::exists(o.file)) {
    ctx.err << "Die Datei " << o.file << " existiert bereits und wird nicht überschrieben.\n";
    return kUnwritable;
  }
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
  CKapibuchDoc doc(ctx.clock);
  doc.SetupNew(wizard.Result());
  return SaveDocument(ctx, doc, o.file);
}

int RunHolder(const Context& ctx, const HolderOptions& o) {
  std::unique_ptr<CKapibuchDoc> doc;
  if (const int status = LoadDocument(ctx, o.file, doc); status != kOk) return status;
  CDepotdatenDlg dlg(*doc);
  if (o.holder) dlg.holder = *o.holder;
  if (o.address) dlg.address = *o.address;
  if (o.depot) dlg.depotNumber = *o.depot;
  if (o.account) dlg.accountNumber = *o.account;
  if (o.blz) dlg.bankCode = *o.blz;
  PrintingPrompter prompter(ctx.err);
  if (!dlg.OnOK(prompter)) return kRefused;
  dlg.Book(*doc);
  return SaveDocument(ctx, *doc, o.file);
}

int RunPrice(const Context& ctx, const PriceOptions& o) {
  std::unique_ptr<CKapibuchDoc> doc;
  if (const int status = LoadDocument(ctx, o.file, doc); status != kOk) return status;
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
  CKurseEingebenDlg dlg(*doc);
  dlg.SetDay(day);
  dlg.SetOnlyHeld(false);
  const int row = dlg.ShowEntry(history);
  dlg.SetPriceText(row, o.price);
  dlg.LeavePrice(row);
  if (!doc->IsModified()) return kOk;  // nothing changed: the file stays as it is
  return SaveDocument(ctx, *doc, o.file);
}

int RunDump(const Context& ctx, const DumpOptions& o) {
  std::unique_ptr<CKapibuchDoc> doc;
  if (const int status = LoadDocument(ctx, o.file, doc); status != kOk) return status;
  ctx.out << DumpJson(*doc).dump(2) << '\n';
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
