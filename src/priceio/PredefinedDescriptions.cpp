#include "priceio/FormatMatcher.h"

namespace priceio {

const std::array<PredefinedDescription, 10>& PredefinedDescriptions() {
  static const std::array<PredefinedDescription, 10> list = {{
      {"Datum und Kurs in Euro (getrennt durch Tabulator)",
       "<WIEDERHOLE:\r\n    <DATUM> <TAB>\r\n    <KURS_EUR> <NZ>\r\n>"},
      {"Datum und Kurs in Euro (getrennt durch Semikolon)",
       "<WIEDERHOLE:\r\n    <DATUM> ;\r\n    <KURS_EUR> <NZ>\r\n>"},
      {"Datum und Kurs in Euro (in Anführungsz.; getr. d. Tabulator)",
       "<WIEDERHOLE:\r\n    \"<DATUM>\" <TAB>\r\n    \"<KURS_EUR>\" <NZ>\r\n>"},
      {"Datum und Kurs in Euro (in Anführungsz.; getr. d. Semikolon)",
       "<WIEDERHOLE:\r\n    \"<DATUM>\" ;\r\n    \"<KURS_EUR>\" <NZ>\r\n>"},
      {"Datum und Kurs in DM (getrennt durch Tabulator)",
       "<WIEDERHOLE:\r\n    <DATUM> <TAB>\r\n    <KURS_DM> <NZ>\r\n>"},
      {"Datum und Kurs in DM (getrennt durch Semikolon)",
       "<WIEDERHOLE:\r\n    <DATUM> ;\r\n    <KURS_DM> <NZ>\r\n>"},
      {"Datum und Kurs in DM (in Anführungsz.; getr. d. Tabulator)",
       "<WIEDERHOLE:\r\n    \"<DATUM>\" <TAB>\r\n    \"<KURS_DM>\" <NZ>\r\n>"},
      {"Datum und Kurs in DM (in Anführungsz.; getr. d. Semikolon)",
       "<WIEDERHOLE:\r\n    \"<DATUM>\" ;\r\n    \"<KURS_DM>\" <NZ>\r\n>"},
      {"Neuer Markt; neues Format (kursdaten.example.org)",
       "<TEXT><NZ> <NZ> <TEXT><NZ>\r\n<WIEDERHOLE:\r\n    \"<DATUM>\" ; \"<KURS_EUR>\"\r\n    <TEXT> "
       "<NZ>\r\n>"},
      {"Neuer Markt; altes Format (kursdaten.example.org)",
       "<TEXT><NZ> <TEXT><NZ>\r\n<TEXT><NZ>\r\n<WIEDERHOLE:\r\n    \"<DATUM>\" ; \"<TEXT>\" ;\r\n    "
       "\"<TEXT>\" ; "
       "\"<TEXT>\" ;\r\n    \"<KURS_DM>\" <TEXT> <NZ>\r\n>"},
  }};
  return list;
}

}  // namespace priceio
