#pragma once
// The issuing municipality. Its values are kept by the municipality's
// installer in the section "Kommun" of the settings file: the library reads
// it at every initialisation and the settings dialog never writes it.
#include <functional>
#include <string>

#include "sdk/SettingsFile.h"

namespace vemra {

struct MunicipalityDetails {
  std::string code;  // four characters, also the prefix of the logo file
  std::string name;
  std::string contact;
  std::string deliveryAddress;
  std::string postalAddress;
  std::string telephone;
  std::string email;
  std::string transferServer;
};

extern const char* const kMunicipalitySection;

// Reads the section with the file opened and closed here; `report` is told
// of a code that is not four characters (it is used as it stands).
MunicipalityDetails LoadMunicipalityDetails(Lynini& ini, const std::string& dataFolder,
                                            const std::function<void(const std::string&)>& report);

}  // namespace vemra
