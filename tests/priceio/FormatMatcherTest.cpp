#include <gtest/gtest.h>

#include "model/KBXKursverlauf.h"
#include "priceio/FormatMatcher.h"
#include "priceio/PriceExport.h"
#include "tests/forms/FormsTestUtil.h"

using namespace testutil;
using priceio::CFormatMatcher;
using priceio::PredefinedDescriptions;
using priceio::Token;

namespace {

struct Outcome {
  std::vector<std::pair<std::string, std::int32_t>> pairs;
  bool faulty;
  std::size_t errorPosition;
  int messages;
};

Outcome Import(std::string_view text, std::string_view description) {
  CKBXKursverlauf result("X", "1");
  ScriptedPrompter prompter;
  CFormatMatcher matcher(result, &prompter);
  matcher.Run(text, description);
  Outcome o{{}, matcher.Faulty(), matcher.ErrorPosition(), static_cast<int>(prompter.messages.size())};
  for (const CKBXKurs& p : result.Points()) o.pairs.emplace_back(p.Date().Format(), p.Price());
  if (o.messages) {
    EXPECT_EQ(prompter.Last(), "Fehler in der Formatbeschreibung!");
    EXPECT_EQ(prompter.messages.back().icon, platform::Icon::Exclamation);
  }
  return o;
}

using Pairs = std::vector<std::pair<std::string, std::int32_t>>;
const char* const kTab = PredefinedDescriptions()[0].description;

}  // namespace

TEST(FormatMatcher, PredefinedDescriptionOneReadsLines) {
  EXPECT_EQ(Import("01.02.1999\t12,50\r\n02.02.1999\t13\r\n", kTab).pairs,
            (Pairs{{"01.02.1999", 1250}, {"02.02.1999", 1300}}));
  // A last line without a line break yields no pair for it.
  EXPECT_EQ(Import("01.02.1999\t12,50\n02.02.1999\t13", kTab).pairs, (Pairs{{"01.02.1999", 1250}}));
  // Two-digit years (0-49 are 2000-2049, 50-99 are 1950-1999); a thousands dot and a
  // third decimal. 1.2.49 is February 2049, past the last day a portfolio can hold.
  EXPECT_EQ(Import("01.02.99\t1.234,567\n1.2.37\t12,5\n1.2.49\t1\n2.2.37\t2\n", kTab).pairs,
            (Pairs{{"01.02.1999", 123456}, {"01.02.2037", 1250}}));
  CKBXDatum date;
  EXPECT_TRUE(priceio::ReadDate("5.3.70", date));
  EXPECT_EQ(date.Format(), "05.03.1970");
  EXPECT_FALSE(priceio::ReadDate("1.2.49", date));
  EXPECT_FALSE(priceio::ReadDate("1.2.", date));
  EXPECT_FALSE(priceio::ReadDate("-1.2.2000", date));
  // A trailing blank makes the date unreadable: reading ends there.
  EXPECT_EQ(Import("01.02.1999\t1\n02.02.1999 \t2\n03.02.1999\t3\n", kTab).pairs,
            (Pairs{{"01.02.1999", 100}}));
  // The same day twice keeps the later price; an empty price removes the day.
  EXPECT_EQ(Import("01.02.1999\t1\n01.02.1999\t2\n05.02.1999\t3\n05.02.1999\t\n", kTab).pairs,
            (Pairs{{"01.02.1999", 200}}));
  // Invalid days end the reading.
  EXPECT_TRUE(Import("31.02.1999\t1\n", kTab).pairs.empty());
  EXPECT_TRUE(Import("1.2.3.4\t1\n", kTab).pairs.empty());
  EXPECT_FALSE(Import("", kTab).faulty);
}

TEST(FormatMatcher, PriceFields) {
  EXPECT_EQ(Import("01.02.1999;10,00\n", PredefinedDescriptions()[5].description).pairs,
            (Pairs{{"01.02.1999", 511}}));
  const char* kurs = "<WIEDERHOLE: <DATUM> ; <KURS> <NZ> >";
  EXPECT_EQ(Import("01.02.1999;12,50DM\n02.02.1999;12,50EUR\n", kurs).pairs,
            (Pairs{{"01.02.1999", 639}, {"02.02.1999", 1250}}));
  EXPECT_EQ(Import("01.02.1999;12,50DM\n02.02.1999;12,50 DM\n03.02.1999;1EUR\n", kurs).pairs,
            (Pairs{{"01.02.1999", 639}}));
  EXPECT_TRUE(Import("01.02.1999;12,50\n", kurs).pairs.empty());
  // <KURS_EUR> ignores other bytes, later digits still count.
  EXPECT_EQ(Import("01.02.1999;-1 2,3,4x\n", PredefinedDescriptions()[1].description).pairs,
            (Pairs{{"01.02.1999", 1234}}));
  // A value past 32 bits cannot be read.
  EXPECT_TRUE(Import("01.02.1999;99999999999\n", PredefinedDescriptions()[1].description).pairs.empty());

  std::int32_t price = 0;
  EXPECT_TRUE(priceio::ReadPrice("", Token::PriceEur, price));
  EXPECT_EQ(price, kNoPrice);
  EXPECT_TRUE(priceio::ReadPrice("12", Token::PriceEur, price));
  EXPECT_EQ(price, 1200);
  EXPECT_TRUE(priceio::ReadPrice("DM", Token::Price, price));
  EXPECT_EQ(price, kNoPrice);
}

TEST(FormatMatcher, QuotedAndHeaderDescriptions) {
  EXPECT_EQ(Import("\"01.02.1999\"\t\"12,50\"\r\n", PredefinedDescriptions()[2].description).pairs,
            (Pairs{{"01.02.1999", 1250}}));
  const std::string neu =
      "Kurse der Aktie\n\nDatum;Kurs;Umsatz\n\"01.02.2000\";\"12,50\";1000\n\"02.02.2000\";\"13,00\";7\n";
  EXPECT_EQ(Import(neu, PredefinedDescriptions()[8].description).pairs,
            (Pairs{{"01.02.2000", 1250}, {"02.02.2000", 1300}}));
  const std::string alt =
      "Titel\nWKN 123\nDatum;A;B;C;Kurs\n\"01.02.2000\";\"a\";\"b\";\"c\";\"19,5583\" x\r\n";
  EXPECT_EQ(Import(alt, PredefinedDescriptions()[9].description).pairs, (Pairs{{"01.02.2000", 1000}}));
  // Without a repeat group at most one pair is read.
  EXPECT_EQ(Import("01.02.1999;1\n02.02.1999;2\n", "<datum>;<kurs_eur><nz>").pairs,
            (Pairs{{"01.02.1999", 100}}));
}

TEST(FormatMatcher, FaultyDescriptionsShowWhere) {
  Outcome o = Import("01.02.1999\t1\n", "<DATUM><KURS_EUR><NZ>");
  EXPECT_TRUE(o.faulty);
  EXPECT_EQ(o.errorPosition, 7u);  // at the second field
  EXPECT_EQ(o.messages, 1);
  o = Import("01.02.1999\t1\n", "<WIEDERHOLE:\r\n  <WIEDERHOLE: <DATUM><TAB> > >");
  EXPECT_TRUE(o.faulty);
  EXPECT_EQ(o.errorPosition, 16u);  // the inner repeat
  o = Import("01.02.1999\t1\n02.02.1999\t1\n", "<WIEDERHOLE: <DATUM><TAB><KURS_EUR><NZ> > x");
  EXPECT_TRUE(o.faulty);
  EXPECT_EQ(o.pairs.size(), 1u);  // read before the fault was reached
  o = Import("x", "<FOO>");
  EXPECT_TRUE(o.faulty);
  EXPECT_EQ(o.errorPosition, 0u);
  EXPECT_TRUE(Import("xy", "x >").faulty);
  EXPECT_TRUE(Import("abc", "<DATUM>").faulty);  // a field without terminator
  // An empty repeat body never loops: it is a faulty description.
  EXPECT_TRUE(Import("01.02.1999\t1\n", "<WIEDERHOLE: >").faulty);
  EXPECT_TRUE(Import("01.02.1999\t1\n", "<WIEDERHOLE:").faulty);
  // A fault beyond the end of the text goes unnoticed.
  EXPECT_FALSE(Import("a", "a <FOO>").faulty);
  // A mismatch is no fault.
  o = Import("01.02.1999;1\n", kTab);
  EXPECT_FALSE(o.faulty);
  EXPECT_EQ(o.messages, 0);
}

TEST(FormatMatcher, PredefinedDescriptionsAreExact) {
  const auto& list = PredefinedDescriptions();
  EXPECT_STREQ(list[0].title, "Datum und Kurs in Euro (getrennt durch Tabulator)");
  EXPECT_STREQ(list[3].description, "<WIEDERHOLE:\r\n    \"<DATUM>\" ;\r\n    \"<KURS_EUR>\" <NZ>\r\n>");
  EXPECT_STREQ(list[7].title, "Datum und Kurs in DM (in Anführungsz.; getr. d. Semikolon)");
  EXPECT_STREQ(list[8].description,
               "<TEXT><NZ> <NZ> <TEXT><NZ>\r\n<WIEDERHOLE:\r\n    \"<DATUM>\" ; \"<KURS_EUR>\"\r\n    <TEXT> "
               "<NZ>\r\n>");
}

TEST(PriceExport, LayoutAndRoundTrip) {
  CKBXKursverlauf h("Müller AG", "M1");
  h.SetPrice(Day(1, 2, 1999), 1250);
  h.SetPrice(Day(2, 2, 1999), 0);
  h.SetPrice(Day(3, 2, 1999), 123456789);
  EXPECT_EQ(priceio::ExportPrices(h, {false, false, ";"}),
            "01.02.1999;12,50\r\n02.02.1999;0,00\r\n03.02.1999;1.234.567,89\r\n");
  EXPECT_EQ(priceio::ExportPrices(h, {true, true, "<tab>"}).substr(0, 35),
            "M\xFCller AG\r\nM1\r\n01.02.1999<tab>12,50");
  EXPECT_EQ(priceio::ExportPrices(CKBXKursverlauf("a", "b"), {}), "");

  for (int d : {0, 1}) {
    const std::string file = priceio::ExportPrices(h, {false, false, d == 0 ? "<TAB>" : ";"});
    CKBXKursverlauf back("Müller AG", "M1");
    CFormatMatcher matcher(back, nullptr);
    matcher.Run(file, PredefinedDescriptions()[static_cast<std::size_t>(d)].description);
    ASSERT_EQ(back.Points().size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
      EXPECT_EQ(back.Points()[i].Price(), h.Points()[i].Price());
      EXPECT_EQ(back.Points()[i].Date(), h.Points()[i].Date());
    }
  }
  // With the name line the import reads nothing.
  CKBXKursverlauf none("x", "y");
  CFormatMatcher matcher(none, nullptr);
  matcher.Run(priceio::ExportPrices(h, {true, false, "<TAB>"}), kTab);
  EXPECT_TRUE(none.Points().empty());
}
