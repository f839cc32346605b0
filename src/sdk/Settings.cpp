#include "sdk/Settings.h"

#include <variant>
#include <vector>

#include "base/Cp1252.h"
#include "base/Numbers.h"

namespace vemra {
namespace {

using Field = std::variant<std::string Settings::*, double Settings::*,
                           std::uint8_t Settings::*, bool Settings::*,
                           std::int32_t Settings::*>;

enum class Coding { None, LeadingSpace, Semicolons };

struct Key {
  std::string section;  // Windows-1252, as written to the file
  std::string name;
  Field field;
  std::string defaultText;  // for strings and decimals
  Coding coding = Coding::None;
  bool captureDialogKey = false;  // written only after a scan
  // The default is the machine's state when read (the current printer): a
  // stored value equal to it was still chosen, and stays in the file.
  bool defaultOfTheMoment = false;
};

// Printer and logo defaults depend on the moment of loading; see DefaultOf.
const std::vector<Key>& KeyTable() {
  static const std::vector<Key> table = [] {
    const std::string print = "Utskrift", import = "BildImport",
                      issuer = "Kommunuppgifter", net = "Internet";
    return std::vector<Key>{
        {print, "Vemra Skrivare", &Settings::printer, "", Coding::None, false, true},
        {print, Ansi("Vemra Överkant"), &Settings::topOffset, "0"},
        {print, Ansi("Vemra Vänsterkant"), &Settings::leftOffset, "0"},
        {print, "Vemra Orientering", &Settings::orientation, ""},
        {import, "FotoMetod", &Settings::photoMethod, ""},
        {import, "SignMetod", &Settings::signMethod, ""},
        {import, "FotoQ", &Settings::photoQuality, ""},
        {import, "SignQ", &Settings::signQuality, ""},
        {import, "SplitVert", &Settings::splitVertical, ""},
        {import, "DelaPosition", &Settings::splitPosition, ""},
        {import, "Dela", &Settings::split, ""},
        {import, "TwainUI", &Settings::twainUI, ""},
        {import, Ansi("Läs in bild granska"), &Settings::inspectionBox, "",
         Coding::Semicolons, true},
        {import, Ansi("Läs in bild kontroller"), &Settings::adjustMode, "", Coding::None,
         true},
        {issuer, "KommunRad1", &Settings::issuerLine1, "Kommunuppgift saknas",
         Coding::LeadingSpace},
        {issuer, "KommunRad2", &Settings::issuerLine2, Ansi("Se Alternativ Inställningar"),
         Coding::LeadingSpace},
        {issuer, "KommunLogo", &Settings::logo, ""},
        {issuer, "OrtexKommun", &Settings::ortexMunicipality, ""},
        {issuer, "OrtexTelefon", &Settings::ortexTelephone, ""},
        {net, "MailServer", &Settings::mailServer, ""},
        {net, "MailFrom", &Settings::mailFrom, ""},
        {net, "SendMethod", &Settings::sendMethod, ""},
        {net, "UseProxy", &Settings::useProxy, ""},
        {net, "ProxyAddress", &Settings::proxyAddress, ""},
        // The proxy port has a key of its own beside the address.
        {net, "ProxyPort", &Settings::proxyPort, "80"},
    };
  }();
  return table;
}

std::string DefaultText(const Key& key, const SettingsContext& context) {
  if (key.name == "Vemra Skrivare") return context.currentPrinter;
  if (key.name == "KommunLogo") return context.logoDefault;
  return key.defaultText;
}

const Settings& Defaults() {
  static const Settings defaults{};
  return defaults;
}

std::string Decode(const Key& key, const std::string& stored) {
  switch (key.coding) {
    case Coding::LeadingSpace: return EncodeLeadingSpace(stored);
    case Coding::Semicolons: return SemicolonsToTabs(stored);
    case Coding::None: break;
  }
  return stored;
}

void ReadKey(Lynini& ini, const Key& key, const SettingsContext& context,
             Settings& settings) {
  const Settings& d = Defaults();
  std::visit(
      [&](auto member) {
        using T = std::remove_reference_t<decltype(settings.*member)>;
        T& value = settings.*member;
        if constexpr (std::is_same_v<T, std::string>) {
          value = Decode(key, ini.IniReadString(key.section, key.name, DefaultText(key, context)));
        } else if constexpr (std::is_same_v<T, double>) {
          std::string text = ini.IniReadString(key.section, key.name, key.defaultText);
          auto number = ParseDecimal(text, context.decimalSeparator);
          if (!number && context.report)
            context.report(key.section + "/" + key.name + ": \"" + text + "\"");
          value = number.value_or(d.*member);
        } else if constexpr (std::is_same_v<T, bool>) {
          value = ini.IniReadBool(key.section, key.name, d.*member);
        } else if constexpr (std::is_same_v<T, std::uint8_t>) {
          value = std::uint8_t(ini.IniReadInteger(key.section, key.name, d.*member) & 0xFF);
        } else {
          value = ini.IniReadInteger(key.section, key.name, d.*member);
        }
      },
      key.field);
}

void WriteKey(Lynini& ini, const Key& key, const SettingsContext& context,
              const Settings& settings) {
  std::visit(
      [&](auto member) {
        using T = std::remove_cvref_t<decltype(settings.*member)>;
        const T& value = settings.*member;
        if constexpr (std::is_same_v<T, std::string>) {
          std::string text = key.coding == Coding::LeadingSpace ? EncodeLeadingSpace(value)
                             : key.coding == Coding::Semicolons ? TabsToSemicolons(value)
                                                                : value;
          if (key.defaultOfTheMoment) ini.IniWriteStringKeepingStored(key.section, key.name, text);
          else ini.IniWriteString(key.section, key.name, text);
        } else if constexpr (std::is_same_v<T, double>) {
          ini.IniWriteString(key.section, key.name,
                             FormatDecimal(value, context.decimalSeparator));
        } else if constexpr (std::is_same_v<T, bool>) {
          ini.IniWriteBool(key.section, key.name, value);
        } else {
          ini.IniWriteInteger(key.section, key.name, value);
        }
      },
      key.field);
}

}  // namespace

Settings DefaultSettings() {
  Settings settings;
  for (const Key& key : KeyTable()) {
    if (auto* member = std::get_if<std::string Settings::*>(&key.field))
      settings.*(*member) = Decode(key, DefaultText(key, SettingsContext{}));
  }
  return settings;
}

std::string SettingsFilePath(const std::string& dataFolder) {
  return dataFolder + "VemraSDK.ini";
}

void LoadSettings(Lynini& ini, const SettingsContext& context, Settings& settings) {
  IniSession session(ini, SettingsFilePath(context.dataFolder));
  for (const Key& key : KeyTable()) ReadKey(ini, key, context, settings);
}

void SaveSettings(Lynini& ini, const SettingsContext& context, Settings& settings) {
  IniSession session(ini, SettingsFilePath(context.dataFolder));
  for (const Key& key : KeyTable())
    if (!key.captureDialogKey) WriteKey(ini, key, context, settings);
  session.Commit();
  for (const Key& key : KeyTable())
    if (key.captureDialogKey) ReadKey(ini, key, context, settings);
}

void SaveCaptureDialogSettings(Lynini& ini, const std::string& dataFolder,
                               const Settings& settings) {
  IniSession session(ini, SettingsFilePath(dataFolder));
  SettingsContext context;
  for (const Key& key : KeyTable())
    if (key.captureDialogKey) WriteKey(ini, key, context, settings);
  session.Commit();
}

}  // namespace vemra
