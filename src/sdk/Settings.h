#pragma once
// The library's settings in memory, and their load from and save to
// "VemraSDK.ini" through one table of keys.
#include <cstdint>
#include <functional>
#include <string>

#include "sdk/SettingsFile.h"

namespace vemra {

class RegionalFormats;

struct Settings {
  // [Utskrift]
  std::string printer;
  double topOffset = 0;   // millimetres; -999 measures from the paper's edge
  double leftOffset = 0;  // millimetres; 0.99 shows the printer report
  std::uint8_t orientation = 0;  // 0 printer's own, 1 portrait, 2 landscape
  // [BildImport]
  std::uint8_t photoMethod = 3;
  std::uint8_t signMethod = 3;
  std::uint8_t photoQuality = 70;
  std::uint8_t signQuality = 70;
  bool splitVertical = false;
  std::uint8_t splitPosition = 80;
  bool split = true;
  bool twainUI = true;
  std::string inspectionBox;  // tabs between entries
  std::int32_t adjustMode = 0;
  // [Kommunuppgifter]
  std::string issuerLine1;
  std::string issuerLine2;
  std::string logo;
  std::string ortexMunicipality;
  std::string ortexTelephone;
  // [Internet]
  std::string mailServer;
  std::string mailFrom;
  std::int32_t sendMethod = -1;  // -1 printer, 0 FTP, 1 e-mail, 2 HTTP
  bool useProxy = false;
  std::string proxyAddress;
  std::string proxyPort = "80";
};

// What a load needs from outside the file.
struct SettingsContext {
  std::string dataFolder;        // with trailing "\"
  std::string currentPrinter;    // default of the printer key
  std::string logoDefault;       // result of the logo search
  char decimalSeparator = ',';
  // Told of stored values that do not convert (they read as their default).
  std::function<void(const std::string&)> report;
};

std::string SettingsFilePath(const std::string& dataFolder);

// Every key at its table default, as before any file was read; the printer
// and the logo, whose defaults depend on the moment of loading, empty.
Settings DefaultSettings();

// Reads every key in table order; the file is opened and closed here.
void LoadSettings(Lynini& ini, const SettingsContext& context, Settings& settings);
// Writes every key but the two capture-dialog ones, then reads those back.
void SaveSettings(Lynini& ini, const SettingsContext& context, Settings& settings);
// The capture dialog's two keys, written after a scan when they changed.
void SaveCaptureDialogSettings(Lynini& ini, const std::string& dataFolder,
                               const Settings& settings);

}  // namespace vemra
