#pragma once
// The permit print request: the host's texts checked in a fixed order,
// the permit number normalised, the card's field lines built and the card
// layout handed to the print job.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/Clock.h"
#include "base/FileSystem.h"
#include "base/FormatDateTime.h"
#include "base/RegionalFormats.h"
#include "imaging/Picture.h"
#include "layout/fields/FieldValues.h"
#include "layout/printing/PrinterService.h"
#include "sdk/MunicipalityDetails.h"
#include "sdk/Settings.h"

namespace vemra {

struct PermitTexts {
  std::string id, surname, firstName, permitNumber, validUntil, careOf, street,
      postcodeTown, telephone, operatorName;
};

// What the print request hands to the print job.
struct PrintLayoutRequest {
  std::string layout;
  int outputKind = 2;  // 2 print, 1 preview
  int orientation = 0;
  double topOffset = 0;
  double leftOffset = 0;
  double scale = 100;
};

// LoadPictureToImage: false leaves the holder as it was and, when asked,
// says why in Windows-1252 text.
using PictureLoader = std::function<bool(Picture&, const std::string& path, std::string* why)>;

struct PrintRequestContext {
  const Settings& settings;
  const MunicipalityDetails& municipality;
  const std::string& dataFolder;
  FieldList& fields;
  Picture& photo;
  Picture& signature;
  FileSystem& files;
  PrinterService& printers;
  const RegionalFormats& regional;
  const Clock& clock;
  PictureLoader loadPicture;
  std::function<void(const PrintLayoutRequest&)> printLayout;
  std::function<void(const std::string&)> showSystemMessage;
  std::function<void(const std::string&)> log;  // failures no result code names
};

int RunPrintRequest(PrintRequestContext& context, int mode, const PermitTexts& texts);

// Where the card's field lines come from besides the permit's texts.
struct PermitFieldSources {
  const Settings& settings;
  const MunicipalityDetails& municipality;
  const RegionalFormats& regional;
  const Clock& clock;
};
// Appends the card's field lines of a checked request; `permit` is the
// normalised permit number. Also what the layout checker fills a card with.
void AddPermitFields(FieldList& fields, const PermitFieldSources& sources, int mode,
                     const PermitTexts& texts, const std::string& permit);

// "a"-"z" and "å", "ä", "ö" to capitals; nothing else changes.
std::string UpperCaseSwedish(std::string_view text);
std::string PadLeftZeros(std::size_t length, std::string_view text);
std::string BirthYearOf(std::string_view permit);
std::string RunningNumberOf(std::string_view permit);
std::string BarcodeNumberOf(std::string_view permit);
// Upper-cased, running number padded to five digits; nullopt when it cannot
// be made a permit number of 14 or 16 characters.
std::optional<std::string> NormalisePermitNumber(std::string_view permit);

// The permit number as the card of `mode` shows it: normalised, its
// fourteenth character "K" on the EU card and "F" on the older one.
std::optional<std::string> CardPermitNumber(std::string_view permit, int mode);

// A date in the user's short date format (its order of year, month and day
// and its date separator).
std::optional<DateTime> ParseShortDate(std::string_view text, const RegionalFormats& formats);
// 2026-03-05 for modes 1 and 3, else 5-MAR-2026; empty when not a date.
std::string FormatValidDate(std::string_view text, int mode, const RegionalFormats& formats);

}  // namespace vemra
