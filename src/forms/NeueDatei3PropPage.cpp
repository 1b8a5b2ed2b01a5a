#include "forms/NeueDatei3PropPage.h"

namespace {

std::string Fill(const char* pattern, const std::string& day) {
  std::string text = pattern;
  const std::size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, day);
  return text;
}

}  // namespace

std::array<std::string, 6> CNeueDatei3PropPage::Texts(CKBXDatum startDay) {
  const std::string day = startDay.Format();
  return {
      "Nachdem Sie jetzt auf 'Fertig stellen' geklickt haben, müssen Sie folgende Aktionen durchführen:",
      Fill("Wenn sich am %s bereits Wertpapiere in Ihrem Depot befunden haben, müssen Sie diese mit "
           "'Bearbeiten | Kauf...' dem Programm bekanntmachen.",
           day),
      Fill("Sämtliche Depottransaktionen, für die Sie ein Datum vor dem %s angeben, wirken sich nicht auf "
           "Ihren Kontostand aus.",
           day),
      Fill("Anschließend müssen Sie alle Depot- und Kontotransaktionen vom %s bis zum heutigen Tag über die "
           "entsprechenden Befehle im Menü 'Bearbeiten' eingeben.",
           day),
      Fill("Sollten Sie Ihr Konto zwischen dem %s und dem heutigen Tag von DM auf Euro umgestellt haben, "
           "müssen Sie dies auch im Programm mit 'Bearbeiten | Kontowährung umstellen...' machen, bevor Sie "
           "weitere Transaktionen eingeben.",
           day),
      "Zuletzt müssen Sie noch die aktuellen Kurse Ihrer Wertpapiere eingeben. Wenn Sie für Ihre Wertpapiere "
      "auch Kursdaten aus der Vergangenheit besitzen, können Sie diese ebenfalls eingeben oder importieren.",
  };
}
