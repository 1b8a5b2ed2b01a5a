// The assistant "Dateiformat erkennen": what it finds in a file, what the user may change,
// and the description it hands back.
#include <gtest/gtest.h>

#include "forms/DateiformatErkennenForm.h"
#include "tests/forms/FormsTestUtil.h"

using priceio::Encoding;

namespace {

std::vector<std::pair<std::string, std::int32_t>> Prices(const DateiformatErkennenForm& dlg) {
  std::vector<std::pair<std::string, std::int32_t>> out;
  for (const CKBXKurs& p : dlg.Read().prices) out.emplace_back(p.Date().Format(), p.Price());
  return out;
}

}  // namespace

TEST(DateiformatErkennen, FindsEncodingHeaderColumnAndTheDayOrder) {
  // Windows-1252 ("Rücknahmepreis" with ü as FC), a header cell equal to a closing word
  // wins over one that only contains it; day and month both up to 12 everywhere.
  DateiformatErkennenForm fund(
      "Datum;Ausgabepreis;R\xFC"
      "cknahmepreis;Kurs alt\r\n01/02/2024;10,50;10,00;9,0\r\n"
      "02/02/2024;10,60;10,10;9,1\r\n",
      {});
  ASSERT_TRUE(fund.Detected()) << fund.Error();
  EXPECT_EQ(fund.Format().encoding, Encoding::Windows1252);
  EXPECT_EQ(fund.Format().priceColumn, 2);
  EXPECT_EQ(fund.Format().header[2], "Rücknahmepreis");
  EXPECT_EQ(fund.Found(), "Zeichensatz Windows-1252, Trennzeichen „;“.");
  EXPECT_EQ(fund.DateNote(), "Jedes Datum passt als Tag/Monat wie als Monat/Tag; gewählt ist TT/MM/JJJJ.");
  EXPECT_EQ(fund.Description(),
            "<KOPFZEILEN:1>\r\n<WIEDERHOLE:\r\n  <DATUM:TT/MM/JJJJ>;<FELD>;<KURS_EUR>;<TEXT><NZ>\r\n>");
  EXPECT_EQ(Prices(fund),
            (std::vector<std::pair<std::string, std::int32_t>>{{"01.02.2024", 1000}, {"02.02.2024", 1010}}));
  // The user says the days are month first, the fund quotes in DM, the price is column 2.
  fund.SetDateForm("MM/TT/JJJJ");
  fund.SetDm(true);
  fund.SetPriceColumn(1);
  EXPECT_EQ(fund.DateNote(), "");
  EXPECT_EQ(Prices(fund),
            (std::vector<std::pair<std::string, std::int32_t>>{{"02.01.2024", 537}, {"02.02.2024", 542}}));

  // One day past the twelfth settles the order: month first, no note.
  DateiformatErkennenForm us("Close,Date\n12.5,01/13/24\n13.25,02/01/24", {});
  ASSERT_TRUE(us.Detected());
  EXPECT_EQ(us.Format().dateForm, "MM/TT/JJ");
  EXPECT_FALSE(us.Format().dateAmbiguous);
  EXPECT_EQ(Prices(us),
            (std::vector<std::pair<std::string, std::int32_t>>{{"13.01.2024", 1250}, {"01.02.2024", 1325}}));
}

TEST(DateiformatErkennen, WithoutHeaderTheLastColumnOfPricesAndFewerHeaderLines) {
  // UTF-8 with a byte-order mark, tab separated, no header: the last column with decimals
  // (not the volume).
  DateiformatErkennenForm plain(
      "\xEF\xBB\xBF"
      "2024-01-02\t10,5\t11,25\t1200\n2024-01-03\t10,75\t11,5\t900\n",
      {});
  ASSERT_TRUE(plain.Detected());
  EXPECT_EQ(plain.Format().encoding, Encoding::Utf8WithBom);
  EXPECT_EQ(plain.Format().headerLines, 0);
  EXPECT_EQ(plain.Description(), "<WIEDERHOLE:\r\n  <DATUM><TAB><FELD><TAB><KURS_EUR><TAB><TEXT><NZ>\r\n>");
  EXPECT_EQ(Prices(plain).front().second, 1125);
  // Fewer header lines than found: the last header line is read as a row and skipped.
  DateiformatErkennenForm two("Titel\nDate;Close\n2024-01-02;1,5\n", {});
  ASSERT_TRUE(two.Detected());
  EXPECT_EQ(two.Format().headerLines, 2);
  two.SetHeaderLines(1);
  EXPECT_EQ(two.Read().skipped.size(), 1u);
  // Columns asked for by number or header text; one that is not there.
  EXPECT_EQ(
      DateiformatErkennenForm("Date,Open,Close\n2024-01-02,1.5,2.5\n", {"open", false}).Format().priceColumn,
      1);
  EXPECT_EQ(
      DateiformatErkennenForm("Date,Open,Close\n2024-01-02,1.5,2.5\n", {"2", false}).Format().priceColumn, 1);
  EXPECT_EQ(DateiformatErkennenForm("Date,Open,Close\n2024-01-02,1.5,2.5\n", {"Kurs", false}).Error(),
            "Die Spalte „Kurs“ gibt es in der Datei nicht.");
  EXPECT_EQ(DateiformatErkennenForm("Datum;Text\n2024-01-02;hoch\n", {}).Error(),
            "Kein Dateiformat erkannt: Keine Spalte enthält Kurse.");
}
