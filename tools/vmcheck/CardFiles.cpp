#include "CardFiles.h"

#include <fstream>
#include <iterator>

#include "layout/fields/LayoutValues.h"
#include "layout/printing/PrintJob.h"

namespace vemra {
namespace {

Problem FileProblem(const LayoutSide& side, int line, std::string key, Severity severity,
                    std::string message) {
  return {side.name, side.side, line, std::move(key), severity, std::move(message), {}};
}

void LoadDataTable(const std::string& path, FieldList& fields) {
  std::ifstream in(NativePath(path), std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  fields.LoadFromText(text);
}

// The back side or sheet the card record names under `key`.
void LoadNamedSide(const std::string& key, const char* extension, const FileSystem& files,
                   CardFiles& card, LayoutSide& side, Problems& problems) {
  const std::string name = GetLayoutValue(key, card.front.list.front());
  if (name.empty() || (key == "mal" && name == kBacksideNewPage)) return;
  side.path = card.folder + name + extension;
  side.name = FileNameOf(side.path);
  side.present = files.FileExists(side.path) && LoadLayoutFile(side.path, side.list, card.store);
  if (!side.present)
    problems.push_back(
        FileProblem(card.front, 1, key, Severity::Error,
                    "names " + side.path + ", which does not exist or cannot be read"));
}

}  // namespace

std::string FileNameOf(const std::string& path) {
  const auto slash = path.find_last_of("\\/:");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::optional<MmBox> RecordBox(const std::string& record) {
  try {
    return MmBox{ParseLayoutNumber(GetLayoutValue("lft", record)),
                 ParseLayoutNumber(GetLayoutValue("top", record)),
                 ParseLayoutNumber(GetLayoutValue("wid", record)),
                 ParseLayoutNumber(GetLayoutValue("hei", record))};
  } catch (const LayoutValueError&) {
    return std::nullopt;
  }
}

bool LoadCardFiles(const std::string& layoutPath, const FileSystem& files, FieldList& fields,
                   CardFiles& card, Problems& problems) {
  card.folder = FolderOf(layoutPath);
  card.front = {CardSide::Front, layoutPath, FileNameOf(layoutPath), {}, false};
  card.back.side = CardSide::Back;
  card.sheet.side = CardSide::Sheet;
  if (!files.FileExists(layoutPath) ||
      !LoadFrontLayoutFile(layoutPath, card.front.list, card.store)) {
    problems.push_back(
        FileProblem(card.front, 0, "", Severity::Error, "Failed to open " + layoutPath));
    return false;
  }
  if (card.front.list.empty()) {
    problems.push_back(FileProblem(card.front, 0, "", Severity::Error, "the layout is empty"));
    return false;
  }
  card.front.present = true;
  const std::string& cardRecord = card.front.list.front();

  if (const std::string table = GetLayoutValue("tbl", cardRecord); !table.empty()) {
    const std::string path = card.folder + table + ".dat";
    if (files.FileExists(path)) {
      LoadDataTable(path, fields);
    } else {
      problems.push_back(
          FileProblem(card.front, 1, "tbl", Severity::Warning,
                      "names the data table " + path +
                          ", which does not exist; the print request's fields are used"));
    }
  }
  LoadNamedSide("bak", ".cpc", files, card, card.back, problems);
  LoadNamedSide("mal", ".cpm", files, card, card.sheet, problems);
  card.backsideNewPage = GetLayoutValue("mal", cardRecord) == kBacksideNewPage;
  if (card.back.present && !card.sheet.present && !card.backsideNewPage)
    problems.push_back(FileProblem(card.front, 1, "bak", Severity::Warning,
                                   "the back side is never printed: it needs a sheet (mal) or "
                                   "malBacksideNewPage"));
  return true;
}

}  // namespace vemra
