#include "sdk/MunicipalityDetails.h"

#include "sdk/Settings.h"

namespace vemra {

const char* const kMunicipalitySection = "Kommun";

MunicipalityDetails LoadMunicipalityDetails(
    Lynini& ini, const std::string& dataFolder,
    const std::function<void(const std::string&)>& report) {
  IniSession session(ini, SettingsFilePath(dataFolder));
  auto read = [&](const char* key) { return ini.IniReadString(kMunicipalitySection, key, ""); };
  MunicipalityDetails m;
  m.code = read("Kod");
  m.name = read("Namn");
  m.contact = read("Kontaktperson");
  m.deliveryAddress = read("Utdelningsadress");
  m.postalAddress = read("Postadress");
  m.telephone = read("Telefon");
  m.email = read("Epost");
  m.transferServer = read("Overforingsserver");
  if (m.code.size() != 4 && report)
    report("kommunkoden \"" + m.code + "\" har inte fyra tecken");
  return m;
}

}  // namespace vemra
