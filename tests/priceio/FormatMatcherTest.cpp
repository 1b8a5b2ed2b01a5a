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
  std::vector<std::string> report;
};

Outcome Import(std::string_view text, std::string_view description) {
  CKBXKursverlauf result("X", "1");
  ScriptedPrompter prompter;
  CFormatMatcher matcher(result, &prompter);
  matcher.Run(text, description);
  Outcome o{{},
            matcher.Faulty(),
            matcher.ErrorPosition(),
            static_cast<int>(prompter.messages.size()),
            priceio::SkippedReport(matcher.Skipped())};
  for (const CKBXKurs& p : result.Points()) o.pairs.emplace_back(p.Date().Format(), p.Price());
  if (o.messages) {
    EXPECT_EQ(prompter.Last().rfind("Fehler in der Formatbeschreibung! (Zeile ", 0), 0u);
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
  // The end of the file ends the last line too.
  EXPECT_EQ(Import("01.02.1999\t12,50\n02.02.1999\t13", kTab).pairs,
            (Pairs{{"01.02.1999", 1250}, {"02.02.1999", 1300}}));
  // Two-digit years (70-99 are 19xx, 00-38 are 20xx); a thousands dot; a third decimal
  // rounds half up. 1.2.49 is February 2049, past the last day a portfolio can hold: the
  // line is skipped and the next one read.
  EXPECT_EQ(Import("01.02.99\t1.234,567\n1.2.37\t12,5\n1.2.49\t1\n2.2.37\t2,004\n", kTab).pairs,
            (Pairs{{"01.02.1999", 123457}, {"01.02.2037", 1250}, {"02.02.2037", 200}}));
  CKBXDatum date;
  EXPECT_TRUE(priceio::ReadDate("5.3.70", date));
  EXPECT_EQ(date.Format(), "05.03.1970");
  EXPECT_FALSE(priceio::ReadDate("1.2.49", date));
  EXPECT_FALSE(priceio::ReadDate("1.2.", date));
  EXPECT_FALSE(priceio::ReadDate("-1.2.2000", date));
  // A trailing blank makes the date unreadable: that line is skipped and reported.
  Outcome o = Import("01.02.1999\t1\n02.02.1999 \t2\n03.02.1999\t3\n", kTab);
  EXPECT_EQ(o.pairs, (Pairs{{"01.02.1999", 100}, {"03.02.1999", 300}}));
  EXPECT_EQ(o.report, (std::vector<std::string>{"1 Zeilen übersprungen:", "Zeile 2: „02.02.1999 \t2“"}));
  // The same day twice keeps the later price; an empty price removes the day.
  EXPECT_EQ(Import("01.02.1999\t1\n01.02.1999\t2\n05.02.1999\t3\n05.02.1999\t\n", kTab).pairs,
            (Pairs{{"01.02.1999", 200}}));
  // Invalid days are skipped.
  EXPECT_EQ(Import("31.02.1999\t1\n01.03.1999\t2\n", kTab).pairs, (Pairs{{"01.03.1999", 200}}));
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
            (Pairs{{"01.02.1999", 639}, {"03.02.1999", 100}}));
  EXPECT_TRUE(Import("01.02.1999;12,50\n", kurs).pairs.empty());
  // <KURS_EUR> ignores other bytes, later digits still count.
  EXPECT_EQ(Import("01.02.1999;-1 2,3,4x\n", PredefinedDescriptions()[1].description).pairs,
            (Pairs{{"01.02.1999", 1234}}));
  // A value past 32 bits cannot be read.
  EXPECT_TRUE(Import("01.02.1999;99999999999\n", PredefinedDescriptions()[1].description).pairs.empty());

  using priceio::PriceReading;
  using priceio::ReadPrice;
  EXPECT_EQ(ReadPrice(" \r", Token::PriceEur).status, PriceReading::Empty);
  EXPECT_EQ(ReadPrice("12", Token::PriceEur).cents, 1200);
  EXPECT_EQ(ReadPrice("DM", Token::Price).status, PriceReading::Empty);
  // A missing value is no removal; a dot not followed by three digits is no thousands dot.
  for (const char* missing : {"null", "N/A", ".", "-", "22.013239", "75.11", "1,234.50", "12."})
    EXPECT_EQ(ReadPrice(missing, Token::PriceEur).status, PriceReading::Unreadable) << missing;
  EXPECT_TRUE(ReadPrice("75.11", Token::PriceEur).groupAsDecimal);
  EXPECT_TRUE(ReadPrice("1.125", Token::PriceEur).groupOnly);
  EXPECT_FALSE(ReadPrice("1.125,5", Token::PriceEur).groupOnly);
  // With a decimal point a comma groups thousands; a third decimal rounds half up.
  EXPECT_EQ(ReadPrice("160.919998", Token::PriceEur, true).cents, 16092);
  EXPECT_EQ(ReadPrice("160.914999", Token::PriceEur, true).cents, 16091);
  EXPECT_EQ(ReadPrice("1,234.50", Token::PriceEur, true).cents, 123450);
  EXPECT_EQ(ReadPrice("1,5", Token::PriceEur, true).status, PriceReading::Unreadable);
  EXPECT_EQ(ReadPrice("10.00", Token::PriceDm, true).cents, 511);
  EXPECT_EQ(ReadPrice("12.50DM", Token::Price, true).cents, 639);
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
  // The name and WKN/Kürzel lines are skipped and reported; every price comes back.
  CKBXKursverlauf back("x", "y");
  CFormatMatcher matcher(back, nullptr);
  matcher.Run(priceio::ExportPrices(h, {true, true, "<TAB>"}), kTab);
  ASSERT_EQ(back.Points().size(), 3u);
  EXPECT_EQ(back.Points()[2].Price(), 123456789);
  // 0,00 between 12,50 and 1.234.567,89 is marked implausible (the dialog shows it unticked).
  ASSERT_EQ(matcher.Skipped().size(), 3u);
  EXPECT_EQ(matcher.Skipped()[0].text, "Müller AG");
  EXPECT_TRUE(matcher.Skipped()[2].implausible);
}

TEST(FormatMatcher, DateFormsDecimalPointsHeadersAndQuotes) {
  // ISO days with the plain date tag; US days in the last column; the last line without
  // a line break; a third decimal rounded half up.
  EXPECT_EQ(Import("Date,Close\n2024-01-02,160.919998\n2024-01-03,1,234.5\n",
                   "<KOPFZEILEN:1><WIEDERHOLE: <DATUM>,<KURS_EUR:PUNKT><NZ> >")
                .pairs,
            (Pairs{{"02.01.2024", 16092}, {"03.01.2024", 123450}}));
  EXPECT_EQ(Import("Close,Date\r\n12.50,01/13/24\r\n13.25,2/1/99",
                   "<KOPFZEILEN:1><WIEDERHOLE:<KURS_EUR:punkt>,<datum:MM/TT/JJ><NZ>>")
                .pairs,
            (Pairs{{"01.02.1999", 1325}, {"13.01.2024", 1250}}));
  EXPECT_EQ(Import("20240102;5\n2024013;6\n", "<WIEDERHOLE:<DATUM:JJJJMMTT>;<KURS_EUR><NZ>>").pairs,
            (Pairs{{"02.01.2024", 500}}));
  CKBXDatum day;
  EXPECT_TRUE(priceio::ReadDateForm("5/1/2024", "TT/MM/JJJJ", day));
  EXPECT_EQ(day.Format(), "05.01.2024");
  EXPECT_FALSE(priceio::ReadDateForm("5/1/24x", "TT/MM/JJ", day));
  EXPECT_FALSE(priceio::ValidDateForm("TT/MM"));
  EXPECT_FALSE(priceio::ValidDateForm("TT/MM/JJJ"));
  EXPECT_TRUE(Import("x", "<DATUM:TT.TT.JJ>;").faulty);

  // Quoted fields hold separators; <FELD> skips one field, <LEER> blanks.
  EXPECT_EQ(Import("\"Siemens, AG\",\"2024-01-02\",\"1,234.50\"\n",
                   "<WIEDERHOLE:<FELD>,<DATUM>,<KURS_EUR:PUNKT><NZ>>")
                .pairs,
            (Pairs{{"02.01.2024", 123450}}));
  EXPECT_EQ(Import("02.01.2024   12,5  x\n", "<WIEDERHOLE:<DATUM><LEER><KURS_EUR><LEER><TEXT><NZ>>").pairs,
            (Pairs{{"02.01.2024", 1250}}));
  // Columns missing at a line's end are fine while nothing is read from them (5 or 6
  // columns); a missing price column is not.
  const char* stooq = "<KOPFZEILEN:1><WIEDERHOLE:<DATUM>,<FELD>,<FELD>,<FELD>,<KURS_EUR:PUNKT>,<FELD><NZ>>";
  const Outcome o = Import(
      "Date,Open,High,Low,Close,Volume\r\n2024-01-02,1,2,3,4.5\r\n"
      "2024-01-03,1,2,3,4.75,1000\r\n2024-01-04,1,2\r\n",
      stooq);
  EXPECT_EQ(o.pairs, (Pairs{{"02.01.2024", 450}, {"03.01.2024", 475}}));
  EXPECT_EQ(o.report, (std::vector<std::string>{"1 Zeilen übersprungen:", "Zeile 4: „2024-01-04,1,2“"}));
}

TEST(FormatMatcher, NamedColumnsAndSymbols) {
  const std::string ecb =
      "Date,USD,JPY,ZAR,\n2024-01-03,1.0919,155.52,N/A,\n2024-01-02,1.0956,155.91,20.3,\n";
  EXPECT_EQ(Import(ecb, "<KOPFZEILEN:1><WIEDERHOLE:<DATUM>,<SPALTE:usd><KURS_EUR:PUNKT>,<TEXT><NZ>>").pairs,
            (Pairs{{"02.01.2024", 110}, {"03.01.2024", 109}}));
  Outcome o = Import(ecb, "<KOPFZEILEN:1><WIEDERHOLE:<DATUM>,<SPALTE: ZAR ><KURS_EUR:PUNKT>,<TEXT><NZ>>");
  EXPECT_EQ(o.pairs, (Pairs{{"02.01.2024", 2030}}));
  EXPECT_EQ(o.report,
            (std::vector<std::string>{"1 Zeilen übersprungen:", "Zeile 2: „2024-01-03,1.0919,155.52,N/A,“"}));
  EXPECT_TRUE(Import(ecb, "<KOPFZEILEN:1><WIEDERHOLE:<DATUM>,<SPALTE:CHF><KURS_EUR:PUNKT>,<TEXT><NZ>>")
                  .pairs.empty());
  EXPECT_TRUE(Import(ecb, "<SPALTE:USD><KURS_EUR>,").faulty);  // a column is a part of a row
  // Rows of other securities are passed over without a word.
  o = Import("SIE;02.01.2024;100\nBAS;02.01.2024;45\n\"SIE\";03.01.2024;101\n",
             "<WIEDERHOLE:<SYMBOL:SIE>;<DATUM>;<KURS_EUR><NZ>>");
  EXPECT_EQ(o.pairs, (Pairs{{"02.01.2024", 10000}, {"03.01.2024", 10100}}));
  EXPECT_TRUE(o.report.empty());
}

TEST(FormatMatcher, LinesThatDoNotFitAreSkippedAndReported) {
  const char* semi = PredefinedDescriptions()[1].description;
  // Blank lines, a repeated header, missing values, a day out of range, a dot that is no
  // thousands dot: each line skipped, the rest read; blank lines are not reported.
  const std::string text =
      "Datum;Kurs\n01.02.1999;10,00\n\n  \r\nDatum;Kurs\n02.02.1999;null\n03.02.1999;N/A\n"
      "04.02.1999;.\n05.02.1999;-\n01.01.1969;1\n08.02.1999;75.11\n09.02.1999;11,00\n"
      "10.02.1999;11,50\n11.02.1999;" +
      std::string(80, 'x') + "\n";
  const Outcome o = Import(text, semi);
  EXPECT_EQ(o.pairs, (Pairs{{"01.02.1999", 1000}, {"09.02.1999", 1100}, {"10.02.1999", 1150}}));
  ASSERT_EQ(o.report.size(), 10u);
  EXPECT_EQ(o.report[0], "9 Zeilen übersprungen:");
  EXPECT_EQ(o.report[1], "Zeile 1: „Datum;Kurs“");
  EXPECT_EQ(o.report[2], "Zeile 5: „Datum;Kurs“");
  EXPECT_EQ(o.report[8], "Zeile 11: „08.02.1999;75.11“");
  EXPECT_EQ(o.report[9], "Zeile 14: „11.02.1999;" + std::string(49, 'x') + "…“");
  // Only ten lines are listed; a long line is cut at 60 characters.
  std::vector<priceio::SkippedLine> many(12, {7, std::string(70, 'y'), true});
  const auto report = priceio::SkippedReport(many);
  ASSERT_EQ(report.size(), 11u);
  EXPECT_EQ(report[1], "Zeile 7: „" + std::string(60, 'y') + "…“ (unplausibel)");

  // Once the file shows that its dot is a decimal point, "1.125" is refused as well.
  const Outcome ecb = Import("01.02.1999;1.1252\n02.02.1999;1.125\n03.02.1999;1.1301\n", semi);
  EXPECT_TRUE(ecb.pairs.empty());
  EXPECT_EQ(ecb.report.size(), 4u);
  // US days read as day/month: 01/02/24 could be either, 01/13/24 shows which it is.
  const Outcome us =
      Import("01/02/24;1\n01/13/24;2\n14/01/24;3\n", "<WIEDERHOLE:<DATUM:TT/MM/JJ>;<KURS_EUR><NZ>>");
  EXPECT_EQ(us.pairs, (Pairs{{"14.01.2024", 300}}));
  EXPECT_EQ(us.report, (std::vector<std::string>{"2 Zeilen übersprungen:", "Zeile 1: „01/02/24;1“",
                                                 "Zeile 2: „01/13/24;2“"}));
  // Without such evidence thousands dots are read as ever.
  EXPECT_EQ(Import("01.02.1999;1.125\n02.02.1999;1.130\n", semi).pairs,
            (Pairs{{"01.02.1999", 112500}, {"02.02.1999", 113000}}));
}

TEST(FormatMatcher, ImplausiblePricesAreMarked) {
  CKBXKursverlauf result("X", "1");
  CFormatMatcher matcher(result, nullptr);
  // 1125,00 between 1,12 and 1,13: twenty times off both neighbours. The ends count when
  // their one neighbour agrees with its own.
  matcher.Run("1.2.99;0,05\n2.2.99;1,12\n3.2.99;1,11\n4.2.99;1125\n5.2.99;1,13\n6.2.99;1,14\n7.2.99;30\n",
              PredefinedDescriptions()[1].description);
  ASSERT_EQ(result.Points().size(), 7u);  // kept in the result, for the user to decide
  std::vector<std::string> days;
  for (const CKBXDatum& d : matcher.Implausible()) days.push_back(d.Format());
  EXPECT_EQ(days, (std::vector<std::string>{"01.02.1999", "04.02.1999", "07.02.1999"}));
  EXPECT_EQ(priceio::SkippedReport(matcher.Skipped())[2], "Zeile 4: „4.2.99;1125“ (unplausibel)");
  // Two prices, or a steady rise by 19 times a day, are never implausible.
  EXPECT_EQ(priceio::ImplausiblePrices({{Day(1, 2, 1999), 1}, {Day(2, 2, 1999), 100}}),
            (std::vector<bool>{false, false}));
  EXPECT_EQ(priceio::ImplausiblePrices({{Day(1, 2, 1999), 1}, {Day(2, 2, 1999), 19}, {Day(3, 2, 1999), 361}}),
            (std::vector<bool>{false, false, false}));
}

TEST(FormatMatcher, ReasonsGiveLineAndPlace) {
  CKBXKursverlauf result("X", "1");
  CFormatMatcher matcher(result, nullptr);
  matcher.Run("Date,Close\n2024-01-02,12.5\n", "<WIEDERHOLE:\r\n  <DATUM>;<KURS_EUR><NZ>\r\n>");
  EXPECT_EQ(matcher.FirstMismatch(),
            "Zeile 1 der Datei passt nicht (Formatbeschreibung Zeile 2, Zeichen 3): „Date,Close“");
  matcher.Run("x", "<WIEDERHOLE:\r\n  <DATUM>;<KURS_EUR><NZ>\r\n> <NZ>");
  EXPECT_FALSE(matcher.Faulty());  // the fault lies behind the end of the text
  matcher.Run("01.02.1999;1\n02.02.1999;1\n", "<WIEDERHOLE:\r\n  <DATUM>;<KURS_EUR><NZ>\r\n> <NZ>");
  EXPECT_EQ(matcher.FaultMessage(), "Fehler in der Formatbeschreibung! (Zeile 3, Zeichen 2)");
}
