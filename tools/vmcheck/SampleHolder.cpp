#include "SampleHolder.h"

#include <fstream>
#include <iterator>

#include "base/Clock.h"
#include "base/Text.h"
#include "sdk/MunicipalityDetails.h"
#include "sdk/PrintRequest.h"
#include "sdk/Settings.h"

namespace vemra {
namespace {

// The holder scripts/demo.sh prints, so that a check and a printed card agree.
PermitTexts SampleTexts() {
  return {"123",         "Andersson",        "Anna",      "0180-123-45F", "2027-03-05", "c/o Berg",
          "Storgatan 1", "111 22 Stockholm", "08-123456", "Operat\xf6r"};
}

MunicipalityDetails SampleMunicipality() {
  return {"0180",
          "Exempelkommun",
          "Tillst\xe5ndsenheten",
          "Box 1",
          "111 22 Exempelstad",
          "08-000 00 00",
          "tillstand@example.se",
          ""};
}

// As the library finds the municipality's logo at initialisation.
std::string LogoSearch(const std::string& dataFolder, const std::string& code,
                       const FileSystem& files) {
  for (const char* extension : {"*.jpg", "*.bmp"}) {
    auto names = files.ListFiles(dataFolder, code + extension);
    if (!names.empty()) return dataFolder + names.front();
  }
  return "";
}

}  // namespace

void FillSampleHolder(FieldList& fields, const std::string& dataFolder,
                      const std::string& layoutName, const FileSystem& files,
                      const RegionalFormats& regional) {
  Lynini ini(OpenPortableProfileFile);
  Settings settings = DefaultSettings();
  MunicipalityDetails municipality = SampleMunicipality();
  const auto ignore = [](const std::string&) {};
  if (files.FileExists(SettingsFilePath(dataFolder))) {
    municipality = LoadMunicipalityDetails(ini, dataFolder, ignore);
    SettingsContext context{dataFolder, "", LogoSearch(dataFolder, municipality.code, files),
                            regional.DecimalSeparator(), ignore};
    LoadSettings(ini, context, settings);
  }
  const PermitTexts texts = SampleTexts();
  const int mode = EqualsNoCaseAscii(layoutName, "ortex.cpb") ? 1 : 0;
  const SystemClock clock;
  const std::string permit =
      CardPermitNumber(texts.permitNumber, mode).value_or(texts.permitNumber);
  AddPermitFields(fields, {settings, municipality, regional, clock}, mode, texts, permit);
}

bool LoadFieldsFile(const std::string& path, FieldList& fields) {
  std::ifstream in(NativePath(path), std::ios::binary);
  if (!in) return false;
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  fields.LoadFromText(text);
  return true;
}

bool HasField(const FieldList& fields, std::string_view name) {
  for (const std::string& line : fields.Lines()) {
    const auto tab = line.find('\t');
    const std::string_view lineName =
        std::string_view(line).substr(0, tab == std::string::npos ? 0 : tab);
    if (EqualsNoCaseAscii(lineName, name)) return true;
  }
  return false;
}

}  // namespace vemra
