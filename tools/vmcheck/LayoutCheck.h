#pragma once
// The layout checker: a card loaded and filled as a print job would, then
// every check over its front, back side and sheet.
#include <functional>
#include <string>

#include "CardFiles.h"
#include "TextMeasure.h"
#include "base/RegionalFormats.h"
#include "layout/render/RenderEnvironment.h"

namespace vemra {

struct CheckOptions {
  std::string layout;      // the front layout file
  std::string dataFolder;  // empty: the layout's folder
  std::string fieldsFile;  // empty: a sample holder's print request
};

struct CheckServices {
  const FileSystem& files;
  const RegionalFormats& formats;
  TextMeasure& measure;
  std::function<void(RenderEnvironment&)> bindPictureHooks{};
};

struct CheckResult {
  CardFiles card;
  FieldList fields;
  std::string hostFolder;  // where relative picture names start, with "\"
  Problems problems;       // front, back, sheet, each in line order
};

CheckResult CheckLayout(const CheckOptions& options, const CheckServices& services);

}  // namespace vemra
