#include "LayoutCheck.h"

#include <algorithm>

#include "DrawnChecks.h"
#include "RecordChecks.h"
#include "SampleHolder.h"

namespace vemra {
namespace {

// A folder as the library keeps it, with a trailing separator ("/" is one
// natively); empty is the current folder.
std::string FolderWithSeparator(std::string folder) {
  if (folder.empty()) return ".\\";
  if (folder.back() == '/' || folder.back() == '\\') return folder;
  return WithTrailingBackslash(std::move(folder));
}

}  // namespace

CheckResult CheckLayout(const CheckOptions& options, const CheckServices& services) {
  CheckResult result;
  // The print request's layouts live in the data folder, beside the
  // pictures a municipality's installation keeps.
  const std::string dataFolder = FolderWithSeparator(
      options.dataFolder.empty() ? FolderOf(options.layout) : options.dataFolder);
  result.hostFolder = dataFolder;
  Problems& problems = result.problems;

  if (options.fieldsFile.empty()) {
    FillSampleHolder(result.fields, dataFolder, FileNameOf(options.layout), services.files,
                     services.formats);
  } else if (!LoadFieldsFile(options.fieldsFile, result.fields)) {
    problems.push_back({FileNameOf(options.fieldsFile),
                        CardSide::Front,
                        0,
                        "",
                        Severity::Error,
                        "Failed to open " + options.fieldsFile,
                        {}});
    return result;
  }
  if (!LoadCardFiles(options.layout, services.files, result.fields, result.card, problems))
    return result;

  DrawingServices drawing{
      result.fields, services.formats, services.files,           result.card.store,
      dataFolder,    services.measure, services.bindPictureHooks};
  for (const LayoutSide* side : {&result.card.front, &result.card.back, &result.card.sheet}) {
    if (!side->present) continue;
    CheckRecords(*side, result.fields, services.formats, problems);
    CheckDrawing(*side, drawing, problems);
    CheckHiddenObjects(*side, problems);
  }
  std::stable_sort(problems.begin(), problems.end(), [](const Problem& a, const Problem& b) {
    return a.side != b.side ? a.side < b.side : a.line < b.line;
  });
  return result;
}

}  // namespace vemra
