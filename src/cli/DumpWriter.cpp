#include "cli/DumpWriter.h"

#include <nlohmann/json.hpp>
#include <ostream>

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

ordered_json SettingsOf(const CKapibuchDoc& doc) {
  ordered_json settings = ordered_json::object();
  ViewSettings copy = doc.settings;
  SettingsJson visitor{settings};
  VisitStoredSettings(visitor, copy);
  settings["general.periodStartDay"] = doc.settings.general.periodStartDay.Format();
  settings["general.periodEndDay"] = doc.settings.general.periodEndDay.Format();
  return settings;
}

ordered_json PositionOf(const CKBXAktie& p) {
  return ordered_json{
      {"number", p.number},
      {"state", p.state},
      {"name", p.name},
      {"wkn", p.wkn},
      {"quantity", p.Quantity()},
      {"purchaseDate", p.purchaseDate.Format()},
      {"purchasePrice", Money(p.purchasePrice, p.purchasePriceCurrency)},
      {"purchaseCommission", Money(p.purchaseCommission, p.purchaseCommissionCurrency)},
      {"saleDate", p.saleDate.Format()},
      {"salePrice", Money(p.salePrice, p.salePriceCurrency)},
      {"saleCommission", Money(p.saleCommission, p.saleCommissionCurrency)},
      {"purchaseNote", p.purchaseNote},
      {"saleNote", p.saleNote},
      {"cost", Split(p.costEur, p.costDm)},
      {"proceeds", Split(p.proceedsEur, p.proceedsDm)},
      {"dividends", Split(p.dividendEur, p.dividendDm)},
  };
}

ordered_json HistoryOf(const CKBXKursverlauf& h) {
  ordered_json points = ordered_json::array();
  for (const CKBXKurs& point : h.Points())
    points.push_back(ordered_json::array({point.Date().Format(), point.Price()}));
  return ordered_json{{"name", h.Name()}, {"wkn", h.Wkn()}, {"points", points}};
}

ordered_json TransactionOf(const CKBXKontoTransaktion& t) {
  return ordered_json{{"date", t.date.Format()},
                      {"kind", t.kind},
                      {"kindName", CKBXKonto::KindName(t)},
                      {"positionNumber", t.positionNumber},
                      {"text", t.text},
                      {"dm", t.amountDm},
                      {"eur", t.amountEur}};
}

// Writes JSON laid out as nlohmann's dump(2) lays out a whole tree, one piece at a time.
class Writer {
 public:
  explicit Writer(std::ostream& out) : m_out(out) {}

  void Open() {
    m_out << '{';
    m_first.push_back(true);
  }
  void Close() {
    m_first.pop_back();
    m_out << '\n' << Indent(m_first.size()) << '}';
  }
  // "name": value, the value laid out as if it sat at this depth of the whole tree.
  void Member(const std::string& name, const ordered_json& value) {
    Key(name);
    Value(value);
  }
  // "name": [ ... ] with each element made by `element` only when it is written.
  template <typename Range, typename Make>
  void Array(const std::string& name, const Range& range, const Make& element) {
    Key(name);
    if (range.empty()) {
      m_out << "[]";
      return;
    }
    m_out << '[';
    bool first = true;
    for (const auto& item : range) {
      m_out << (first ? "\n" : ",\n") << Indent(m_first.size() + 1);
      first = false;
      m_first.push_back(true);
      Value(element(*item));
      m_first.pop_back();
    }
    m_out << '\n' << Indent(m_first.size()) << ']';
  }
  void Key(const std::string& name) {
    m_out << (m_first.back() ? "\n" : ",\n") << Indent(m_first.size()) << ordered_json(name).dump() << ": ";
    m_first.back() = false;
  }

 private:
  static std::string Indent(std::size_t depth) { return std::string(2 * depth, ' '); }
  void Value(const ordered_json& value) {
    // Strings are escaped, so every line break in the text is one of the layout.
    const std::string text = value.dump(2);
    const std::string indent = Indent(m_first.size());
    std::size_t start = 0;
    for (std::size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
      m_out.write(text.data() + start, static_cast<std::streamsize>(end + 1 - start));
      m_out << indent;
      start = end + 1;
    }
    m_out.write(text.data() + start, static_cast<std::streamsize>(text.size() - start));
  }

  std::ostream& m_out;
  std::vector<bool> m_first;  // per open object: no member written yet
};

}  // namespace

void WriteDump(std::ostream& out, const CKapibuchDoc& doc) {
  Writer w(out);
  w.Open();
  w.Member("magic", CKapibuchDoc::kMagic);
  w.Member("lastPositionNumber", doc.LastPositionNumber());
  w.Member("depotNumber", doc.depotNumber);
  w.Member("settings", SettingsOf(doc));
  w.Array("positions", doc.Positions(), PositionOf);
  w.Array("histories", doc.Histories(), HistoryOf);

  const CKBXKonto& k = doc.Account();
  const SplitAmount adjustment = k.StartCapitalAdjustment();
  w.Key("account");
  w.Open();
  w.Member("holder", k.holder);
  w.Member("address", k.address);
  w.Member("accountNumber", k.accountNumber);
  w.Member("bankCode", k.bankCode);
  w.Member("initialised", k.IsInitialised());
  w.Member("initialCurrency", CurrencyName(k.InitialCurrency()));
  w.Member("openingBalance", k.OpeningBalance());
  w.Member("startDay", k.StartDay().Format());
  w.Member("switched", k.IsSwitched());
  w.Member("switchDay", k.SwitchDay().Format());
  w.Member("startCapitalAdjustment", Split(adjustment.eur, adjustment.dm));
  w.Array("transactions", k.Transactions(), TransactionOf);
  w.Close();
  w.Close();
  out << '\n';
}

}  // namespace cli
