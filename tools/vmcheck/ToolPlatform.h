#pragma once
// What vmcheck takes from the platform it runs on: files, the user's
// regional formats, text measures, the renderer's picture hooks and the
// proof picture (Windows only, as it is drawn by GDI).
#include <functional>
#include <memory>
#include <string>

#include "LayoutCheck.h"
#include "TextMeasure.h"

namespace vemra {

struct ToolPlatform {
  std::unique_ptr<FileSystem> files;
  std::unique_ptr<RegionalFormats> formats;
  std::unique_ptr<TextMeasure> measure;
  std::function<void(RenderEnvironment&)> bindPictureHooks;
};

ToolPlatform MakeToolPlatform();

// False, with the reason in `error`, when the picture cannot be made.
bool WriteProofPicture(const CheckResult& result, const ToolPlatform& platform,
                       const std::string& path, std::string& error);

}  // namespace vemra
