#include "RecordChecks.h"

#include <algorithm>
#include <set>

#include "ExpressionChecks.h"
#include "SampleHolder.h"
#include "base/Text.h"
#include "layout/fields/DelimitedText.h"
#include "layout/fields/Expressions.h"
#include "layout/fields/LayoutValues.h"
#include "layout/fields/ObjectTexts.h"

namespace vemra {
namespace {

enum class Value {
  Text,
  Millimetres,
  Size,
  Angle,
  Colour,
  ColourOrNone,
  ShapeKind,
  LenientInteger,
  Percent,
  Choice
};

struct KeyRule {
  std::string_view key;
  std::string_view types;  // "*" every record, "obj" every record after the card's
  Value value;
  std::string_view choices{};  // lower-case, blank-separated
};

// Which record types read which key, and how the renderer converts it.
constexpr KeyRule kRules[] = {
    {"typ", "*", Value::Text},
    {"lft", "obj", Value::Millimetres},
    {"top", "obj", Value::Millimetres},
    {"wid", "*", Value::Size},
    {"hei", "*", Value::Size},
    {"tbl", "csz", Value::Text},
    {"bak", "csz crd", Value::Text},
    {"mal", "csz", Value::Text},
    {"ori", "csz", Value::Choice, "1 2"},
    {"mt1", "csz", Value::Text},
    {"mt2", "csz", Value::Text},
    {"mt3", "csz", Value::Text},
    {"ang", "ftx dtx fim pho bam crd", Value::Angle},
    {"prn", "ftx dtx fim pho bam shp", Value::Text},
    {"dbl", "ftx dtx", Value::Text},
    {"opa", "ftx dtx shp bam fim pho", Value::Percent},
    {"dat", "ftx dtx fim pho bam", Value::Text},
    {"fnm", "ftx dtx", Value::Text},
    {"fsz", "ftx dtx", Value::Size},
    {"fsp", "ftx dtx", Value::Size},
    {"fst", "ftx dtx", Value::Choice, "0 1 2 3"},
    {"col", "ftx dtx", Value::Colour},
    {"ali", "ftx dtx", Value::Choice, "left center right"},
    {"val", "ftx dtx", Value::Choice, "top center bottom"},
    {"wwp", "ftx dtx", Value::Choice, "0 1"},
    {"fxs", "ftx dtx", Value::LenientInteger},
    {"grp", "ftx dtx", Value::Text},
    {"rat", "fim", Value::Text},
    {"pos", "fim pho", Value::Choice, "upperleft lowerleft lowerright upperright center"},
    {"knd", "pho", Value::Text},
    {"knd", "shp", Value::ShapeKind},
    {"bcl", "shp", Value::ColourOrNone},
    {"pcl", "shp", Value::ColourOrNone},
    {"psz", "shp", Value::Size},
    {"btp", "bam", Value::Choice, "code39 ean128 code128 interleaved2of5 plessey"},
    {"chk", "bam", Value::LenientInteger},
    {"tpe", "crd", Value::Choice, "b f"},
    {"trp", "fim pho", Value::Text},
    {"tpf", "fim pho", Value::Text},
    {"tpt", "fim pho", Value::Text},
};

constexpr std::string_view kObjectTypes[] = {"ftx", "dtx", "fim", "pho", "shp", "bam", "crd"};
constexpr std::string_view kEffectKeys[] = {"ImFx", "ImFxLineSpace", "ImFxLineColor",
                                            "ImFxLineThreshold"};

bool Listed(std::string_view list, std::string_view word) {
  for (const std::string& item : Split(list, ' '))
    if (item == word) return true;
  return false;
}

bool RuleCovers(const KeyRule& rule, std::string_view type) {
  if (rule.types == "*") return true;
  if (rule.types == "obj") return type != "csz";
  return Listed(rule.types, type);
}

const KeyRule* RuleOf(std::string_view key, std::string_view type, bool& keyKnown) {
  keyKnown = false;
  for (const KeyRule& rule : kRules) {
    if (rule.key != key) continue;
    keyKnown = true;
    if (RuleCovers(rule, type)) return &rule;
  }
  return nullptr;
}

// Problems of one record, with its file, line and box filled in.
class RecordReport {
 public:
  RecordReport(const LayoutSide& side, std::size_t index, Problems& problems)
      : side_(side), index_(index), problems_(problems) {}

  void Add(std::string key, Severity severity, std::string message) {
    problems_.push_back({side_.name, side_.side, int(index_) + 1, std::move(key), severity,
                         std::move(message),
                         index_ > 0 ? RecordBox(side_.list[index_]) : std::nullopt});
  }

 private:
  const LayoutSide& side_;
  std::size_t index_;
  Problems& problems_;
};

std::string Quoted(std::string_view value) { return "\"" + std::string(value) + "\""; }

void CheckValue(const KeyRule& rule, const std::string& value, RecordReport& report) {
  const std::string key(rule.key);
  auto integer = [&](Severity severity, const char* consequence) -> std::optional<int> {
    if (value.empty()) return std::nullopt;
    try {
      return ParseLayoutInteger(value);
    } catch (const LayoutValueError&) {
      report.Add(key, severity, Quoted(value) + " is not a whole number" + consequence);
      return std::nullopt;
    }
  };
  switch (rule.value) {
    case Value::Text:
      return;
    case Value::Millimetres:
    case Value::Size:
      try {
        const double mm = ParseLayoutNumber(value);
        if (rule.value == Value::Size && mm < 0)
          report.Add(key, Severity::Warning, Quoted(value) + " is negative");
      } catch (const LayoutValueError&) {
        report.Add(key, Severity::Error, Quoted(value) + " is not a number; it ends the print job");
      }
      return;
    case Value::Angle:
      if (auto angle = integer(Severity::Error, "; it ends the print job");
          angle && *angle % 90 != 0)
        report.Add(key, Severity::Warning,
                   Quoted(value) + " is not 0, 90, 180 or 270; drawn unturned");
      return;
    case Value::Colour:
    case Value::ColourOrNone:
      if (auto colour = integer(Severity::Error, "; it ends the print job");
          colour && (*colour > 0xFFFFFF || *colour < (rule.value == Value::Colour ? 0 : -1)))
        report.Add(key, Severity::Warning,
                   Quoted(value) + " is no colour (0 to 16777215" +
                       (rule.value == Value::Colour ? ")" : ", or -1)"));
      return;
    case Value::ShapeKind:
      if (auto kind = integer(Severity::Error, "; it ends the print job");
          kind && (*kind < 0 || *kind > 5))
        report.Add(key, Severity::Warning,
                   Quoted(value) + " is no shape (0 to 5); nothing is drawn");
      return;
    case Value::LenientInteger:
    case Value::Percent:
      if (auto number = integer(Severity::Warning, "; it is ignored");
          number && rule.value == Value::Percent && (*number < 0 || *number > 100))
        report.Add(key, Severity::Warning, Quoted(value) + " is outside 0 to 100");
      return;
    case Value::Choice:
      if (!value.empty() && !Listed(rule.choices, LowerAscii(value)))
        report.Add(key, Severity::Warning,
                   Quoted(value) + " is not one of: " + std::string(rule.choices));
      return;
  }
}

// Keys, their values, duplicates; unknown keys.
void CheckKeys(const std::string& record, std::string_view type, RecordReport& report) {
  std::set<std::string> seen;
  for (const std::string& field : Split(record, '\t')) {
    if (field.empty()) continue;
    if (const auto equals = field.find('=');
        StartsWith(field, "ImFx") && equals != std::string::npos) {
      const std::string name = field.substr(0, equals);
      if (std::find(std::begin(kEffectKeys), std::end(kEffectKeys), name) == std::end(kEffectKeys))
        report.Add(name, Severity::Warning, "unknown picture effect key");
      else if (type != "fim" && type != "pho")
        report.Add(name, Severity::Warning, "is not used by " + std::string(type) + " records");
      continue;
    }
    if (field.size() < 3) {
      report.Add(field, Severity::Warning,
                 "field " + Quoted(field) + " is too short to hold a key");
      continue;
    }
    const std::string key = field.substr(0, 3);
    if (!seen.insert(key).second) {
      report.Add(key, Severity::Warning, "is given twice; only the first one counts");
      continue;
    }
    bool keyKnown = false;
    const KeyRule* rule = RuleOf(key, type, keyKnown);
    if (!keyKnown)
      report.Add(key, Severity::Warning, "unknown key");
    else if (!rule)
      report.Add(key, Severity::Warning, "is not used by " + std::string(type) + " records");
    else
      CheckValue(*rule, field.substr(3), report);
  }
}

void CheckCardRecord(const std::string& record, RecordReport& report) {
  const std::string type = GetLayoutValue("typ", record);
  if (type != "csz") {
    report.Add("typ", Severity::Error,
               "the first record must be the card record (typcsz), not " + Quoted(type));
    return;
  }
  CheckKeys(record, type, report);
  for (const char* key : {"wid", "hei"}) {
    try {
      if (ParseLayoutNumber(GetLayoutValue(key, record)) <= 0)
        report.Add(key, Severity::Error, "the card needs a size above 0");
    } catch (const LayoutValueError&) {
    }
  }
}

void RequireField(const std::string& name, const FieldList& fields, RecordReport& report) {
  if (name.empty()) {
    report.Add("dat", Severity::Warning, "names no field");
  } else if (MemoPrefixOf(name).empty() && !HasField(fields, name)) {
    // Memo lines are the municipality's own additions and may stay empty.
    report.Add(
        "dat", Severity::Warning,
        "field " + Quoted(name) + " is filled neither by the print request nor by the data table");
  }
}

void CheckExpression(const std::string& key, const std::string& text, const FieldList& fields,
                     const RegionalFormats& formats, RecordReport& report) {
  if (auto fault = ExpressionFault(text, fields, formats)) report.Add(key, Severity::Error, *fault);
  if (!IsSpecialExpression(text) && FindNoCase(text, "function_if(") != std::string::npos)
    report.Add(key, Severity::Warning,
               "function_if( works only in a !!special: expression; here it prints as written");
  for (const std::string& name : ExpressionFields(text)) RequireField(name, fields, report);
}

void CheckObjectData(const std::string& record, std::string_view type, const FieldList& fields,
                     const RegionalFormats& formats, RecordReport& report) {
  const std::string dat = GetLayoutValue("dat", record);
  if (type == "ftx") {
    CheckExpression("dat", dat, fields, formats, report);
  } else if (type == "dtx") {
    RequireField(StripDbMarker(dat.substr(0, dat.find("[DB]"))), fields, report);
  } else if (type == "bam" || (type == "pho" && GetLayoutValue("knd", record) == "DB")) {
    if (IsSpecialExpression(dat))
      CheckExpression("dat", dat, fields, formats, report);
    else
      RequireField(type == "bam" ? StripDbMarker(dat) : dat.substr(0, FindNoCase(dat, "[DB]")),
                   fields, report);
  }
  if (const std::string dbl = StripDbMarker(GetLayoutValue("dbl", record));
      !dbl.empty() && !HasField(fields, dbl))
    report.Add("dbl", Severity::Warning,
               "field " + Quoted(dbl) + " is never filled, so the object is never drawn");
  if ((type == "ftx" || type == "dtx") && GetLayoutValue("fsp", record).empty()) {
    try {
      if (ParseLayoutNumber(GetLayoutValue("fsz", record)) <= 0)
        report.Add("fsz", Severity::Warning,
                   "the text has no font size (fsz or fsp); it prints in the device's default");
    } catch (const LayoutValueError&) {
      // told with the key's value
    }
  }
  if (type == "shp")
    for (const char* key : {"bcl", "pcl"})
      if (GetLayoutValue(key, record).empty())
        report.Add(key, Severity::Error,
                   "a shape needs a colour here (-1 for none); it ends the print job");
}

void CheckInsideCard(const std::string& record, const LayoutList& list, RecordReport& report) {
  const std::optional<MmBox> card = RecordBox(list.front());
  const std::optional<MmBox> box = RecordBox(record);
  // A card without a size is told on its own line.
  if (!card || !box || card->width <= 0 || card->height <= 0) return;
  constexpr double kSlack = 0.05;
  if (box->left < -kSlack || box->top < -kSlack || box->left + box->width > card->width + kSlack ||
      box->top + box->height > card->height + kSlack)
    report.Add("lft", Severity::Warning, "the box lies partly outside the card");
}

}  // namespace

void CheckRecords(const LayoutSide& side, const FieldList& fields, const RegionalFormats& formats,
                  Problems& problems) {
  if (side.list.empty()) return;
  RecordReport card(side, 0, problems);
  CheckCardRecord(side.list.front(), card);
  for (int k = 1; k <= 3; ++k) {
    const std::string key = "mt" + std::to_string(k);
    CheckExpression(key, GetLayoutValue(key, side.list.front()), fields, formats, card);
  }
  for (std::size_t i = 1; i < side.list.size(); ++i) {
    const std::string& record = side.list[i];
    if (record.empty()) continue;
    RecordReport report(side, i, problems);
    const std::string type = GetLayoutValue("typ", record);
    if (std::find(std::begin(kObjectTypes), std::end(kObjectTypes), type) ==
        std::end(kObjectTypes)) {
      report.Add("typ", Severity::Error,
                 "unknown record type " + Quoted(type) + "; the record is not drawn");
      continue;
    }
    CheckKeys(record, type, report);
    CheckObjectData(record, type, fields, formats, report);
    CheckInsideCard(record, side.list, report);
  }
}

}  // namespace vemra
