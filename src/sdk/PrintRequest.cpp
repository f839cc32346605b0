#include "sdk/PictureStoreNames.h"
#include "sdk/PrintRequest.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "base/Cp1252.h"
#include "base/Text.h"
#include "layout/fields/DelimitedText.h"

namespace vemra {
namespace {

// What each mode asks for: 0 prints and 2 previews the EU card, 1 prints
// and 3 previews the older card; other modes go with 0 (below 2) or 2.
struct Mode {
  bool print;  // else preview
  bool eu;     // else the older card
  int value;
  const char* LayoutName() const { return eu ? "vemraeu.cpb" : "ortex.cpb"; }
  bool PicturesRequired() const { return value != 1; }
};

Mode ModeOf(int mode) { return {mode < 2, mode != 1 && mode != 3, mode}; }

std::string Characters(std::string_view p, std::size_t from, std::size_t count) {
  return from < p.size() ? std::string(p.substr(from, count)) : std::string();
}

int CheckArguments(PrintRequestContext& c, const Mode& mode, const PermitTexts& t,
                   const std::string& photo, const std::string& signature) {
  if (t.id.empty()) return 2;
  // An id that is no name in the picture store has no pictures there.
  if (mode.PicturesRequired() && (!IsPictureStoreName(t.id) || !c.files.FileExists(photo)))
    return 3;
  if (mode.PicturesRequired() && !c.files.FileExists(signature)) return 4;
  if (t.surname.empty()) return 5;
  if (t.firstName.empty()) return 6;
  if (t.permitNumber.empty() || BirthYearOf(t.permitNumber).empty()) return 7;
  if (t.validUntil.empty()) return 8;
  if (FormatValidDate(t.validUntil, mode.value, c.regional).empty()) return 9;
  if (!c.files.FileExists(c.dataFolder + mode.LayoutName())) return 10;
  return 0;
}

void LoadHolderPicture(PrintRequestContext& c, Picture& holder, const std::string& path,
                       bool print) {
  std::string why;
  if (c.loadPicture(holder, path, &why) || !c.log) return;
  c.log(Ansi(print ? "kortet skrivs ut utan bilden " : "kortet visas utan bilden ") + path +
        ": " + why);
}

}  // namespace

int RunPrintRequest(PrintRequestContext& c, int modeValue, const PermitTexts& t) {
  const Mode mode = ModeOf(modeValue);
  const std::string photoPath = c.dataFolder + "Image\\" + t.id + ".jpg";
  const std::string signaturePath = c.dataFolder + "Image\\s" + t.id + ".jpg";
  const bool toPrinter = c.settings.sendMethod == -1;

  if (int failed = CheckArguments(c, mode, t, photoPath, signaturePath)) return failed;
  if (mode.print && !toPrinter && c.municipality.transferServer.empty()) return 13;
  if (toPrinter) {
    c.fields.Clear();
    c.photo.Clear();
    c.signature.Clear();
  }
  std::optional<std::string> p = CardPermitNumber(t.permitNumber, modeValue);
  if (!p) return 7;

  if (mode.eu && (toPrinter || !mode.print)) {
    // A picture that cannot be read leaves its holder as it was; the card
    // still comes out, and the log tells support staff why it lacks one.
    if (IsPictureStoreName(t.id)) {
      LoadHolderPicture(c, c.photo, photoPath, mode.print);
      LoadHolderPicture(c, c.signature, signaturePath, mode.print);
    }
  }
  if (mode.print && !toPrinter) {
    c.showSystemMessage(Ansi("Denna funktion funger inte ännu i denna version av SDK:n"));
    return 0;
  }
  AddPermitFields(c.fields, {c.settings, c.municipality, c.regional, c.clock}, mode.value, t,
                  *p);

  if (mode.print && c.printers.CurrentPrinterName() != c.settings.printer)
    c.printers.SelectPrinter(c.settings.printer);
  const Settings& s = c.settings;
  c.printLayout({c.dataFolder + mode.LayoutName(), mode.print ? 2 : 1, s.orientation,
                 s.topOffset, s.leftOffset, mode.print ? 100.0 : 50.0});
  return 0;
}

void AddPermitFields(FieldList& f, const PermitFieldSources& c, int mode, const PermitTexts& t,
                     const std::string& p) {
  const MunicipalityDetails& m = c.municipality;
  const Settings& s = c.settings;
  f.Add("tillstnr", p);
  f.Add("streckkod", BarcodeNumberOf(p));
  f.Add("enamn", t.surname);
  f.Add("fnamn", t.firstName);
  f.Add("kommunkod", m.code);
  f.Add("kommunnamn", m.name);
  f.Add("kommunkontakt", m.contact);
  f.Add("kommunutdel", m.deliveryAddress);
  f.Add("kommunpost", m.postalAddress);
  f.Add("kommuntelefon", m.telephone);
  f.Add("kommunepost", m.email);
  f.Add("giltigttom", FormatValidDate(t.validUntil, mode, c.regional));
  f.Add("fnamnenamn", t.firstName + " " + t.surname);
  f.Add("birthyear", BirthYearOf(p));
  f.Add("kommunlogo", s.logo);
  f.Add("kommunpreurad1", s.issuerLine1);
  f.Add("kommunpreurad2", s.issuerLine2);
  f.Add("kommunortexkommun", s.ortexMunicipality);
  f.Add("kommunortextelefon", s.ortexTelephone);
  f.Add(Ansi("operatör"), t.operatorName);
  f.Add("coadress", t.careOf);
  f.Add("utadress", t.street);
  f.Add("postnrort", t.postcodeTown);
  f.Add("telefon", t.telephone);
  f.Add(Ansi("löpnummer"), RunningNumberOf(p));
  f.Add(Ansi("län"), Characters(p, 2, 2));
  f.Add("kommunid", Characters(p, 0, 2));
  f.Add("kon", Characters(p, p.size() - 1, 1));
  f.Add("utfardat", FormatDateTime("ddddd", c.clock.Now(), c.regional));
}

std::optional<std::string> CardPermitNumber(std::string_view permit, int mode) {
  std::optional<std::string> p = NormalisePermitNumber(permit);
  if (!p) return p;
  const bool eu = ModeOf(mode).eu;
  if ((*p)[13] == 'K' && !eu) (*p)[13] = 'F';
  if ((*p)[13] == 'F' && eu) (*p)[13] = 'K';
  return p;
}

std::string UpperCaseSwedish(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    auto u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z') c = char(u - 32);
    else if (u == 0xE5 || u == 0xE4 || u == 0xF6) c = char(u - 32);  // å ä ö
  }
  return out;
}

std::string PadLeftZeros(std::size_t length, std::string_view text) {
  std::string out(text);
  if (out.size() < length) out.insert(0, length - out.size(), '0');
  return out;
}

std::string BirthYearOf(std::string_view p) {
  auto dash = p.find('-');
  if (dash == std::string_view::npos) return "";
  std::string_view rest = p.substr(dash + 1);
  if (auto second = rest.find('-'); second != std::string_view::npos) rest = rest.substr(second + 1);
  return "19" + std::string(rest.substr(0, 2));
}

std::string RunningNumberOf(std::string_view p) {
  auto first = p.find('-');
  if (first == std::string_view::npos) return "";
  auto second = p.find('-', first + 1);
  if (second == std::string_view::npos) return "";
  return std::string(p.substr(first + 1, second - first - 1));
}

std::string BarcodeNumberOf(std::string_view p) {
  return std::string(p.substr(0, 4)) + RunningNumberOf(p);
}

std::optional<std::string> NormalisePermitNumber(std::string_view permit) {
  std::string p = UpperCaseSwedish(permit);
  std::string tail = p.size() > 5 ? p.substr(5) : std::string();
  std::string run = TextBefore("-", tail);
  if (!IsIntegerText(run)) return std::nullopt;
  if (run.size() > 5) return std::nullopt;
  if (run.size() < 5) p = p.substr(0, 5) + PadLeftZeros(5, run) + "-" + TextAfter("-", tail);
  if (p.size() != 14 && p.size() != 16) return std::nullopt;
  return p;
}

}  // namespace vemra

namespace vemra {

std::optional<DateTime> ParseShortDate(std::string_view text, const RegionalFormats& formats) {
  // The order of the parts is the order of y, m and d in the format.
  std::string format = LowerAscii(formats.ShortDateFormat());
  std::array<std::pair<std::size_t, char>, 3> order{
      std::pair{format.find('y'), 'y'}, std::pair{format.find('m'), 'm'},
      std::pair{format.find('d'), 'd'}};
  for (const auto& part : order)
    if (part.first == std::string::npos) return std::nullopt;
  std::sort(order.begin(), order.end());

  std::vector<std::string> parts = Split(TrimControl(text), formats.DateSeparator());
  if (parts.size() != 3) return std::nullopt;
  DateTime date;
  for (std::size_t i = 0; i < 3; ++i) {
    const std::string& digits = parts[i];
    if (digits.empty() || digits.size() > 4 ||
        digits.find_first_not_of("0123456789") != std::string::npos)
      return std::nullopt;
    int value = std::stoi(digits);
    switch (order[i].second) {
      case 'y': date.year = digits.size() <= 2 ? 2000 + value : value; break;
      case 'm': date.month = value; break;
      default: date.day = value; break;
    }
  }
  date.hour = date.minute = date.second = 0;
  if (!IsValidDateTime(date)) return std::nullopt;
  return date;
}

std::string FormatValidDate(std::string_view text, int mode, const RegionalFormats& formats) {
  static const char* const kMonths[12] = {"JAN", "FEB", "MAR", "APR", "MAJ", "JUN",
                                          "JUL", "AUG", "SEP", "OKT", "NOV", "DEC"};
  auto date = ParseShortDate(text, formats);
  if (!date) return "";
  char out[32];
  if (mode == 1 || mode == 3)
    std::snprintf(out, sizeof out, "%04d-%02d-%02d", date->year, date->month, date->day);
  else
    std::snprintf(out, sizeof out, "%d-%s-%d", date->day, kMonths[date->month - 1], date->year);
  return out;
}

}  // namespace vemra
