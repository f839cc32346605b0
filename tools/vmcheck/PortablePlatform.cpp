// The native build: portable files, Sweden's formats, estimated text widths
// and no proof picture.
#include "ToolPlatform.h"

namespace vemra {

std::unique_ptr<TextMeasure> MakeTextMeasure() { return MakeEstimatingMeasure(); }

ToolPlatform MakeToolPlatform() {
  return {MakePortableFileSystem(), std::make_unique<SwedishFormats>(), MakeTextMeasure(), {}};
}

bool WriteProofPicture(const CheckResult&, const ToolPlatform&, const std::string&,
                       std::string& error) {
  error = "the proof picture is drawn through GDI: use the Windows build of vmcheck";
  return false;
}

}  // namespace vemra
