// Pictures that are not found, do not decode, or are far larger than
// their box.
#include "RecordProbe.h"
#include "SampleHolder.h"
#include "layout/fields/DelimitedText.h"
#include "layout/fields/Expressions.h"
#include "layout/fields/LayoutValues.h"
#include "layout/fields/ObjectTexts.h"
#include "layout/file/PicturePaths.h"

namespace vemra {
namespace {

// A picture this many times its box's pixels, both ways, is waste.
constexpr int kOversizeFactor = 4;

void ReportMissingPicture(RecordCheck& check, const DrawingServices& services,
                          const std::vector<std::string>& errors) {
  const std::string& record = check.Record();
  const std::string dat = GetLayoutValue("dat", record);
  if (GetLayoutValue("typ", record) == "fim") {
    if (!errors.empty())
      check.Add("dat", Severity::Error, "the embedded picture " + Quoted(dat) + " does not decode");
    else if (!services.files.FileExists(dat))
      check.Add("dat", Severity::Error,
                "the picture " + Quoted(dat) + " is neither embedded nor a file");
    else
      check.Add("dat", Severity::Error, "the picture file " + Quoted(dat) + " cannot be decoded");
    return;
  }
  if (!IsSpecialExpression(dat) &&
      !HasField(services.fields, dat.substr(0, FindNoCase(dat, "[DB]"))))
    return;  // told as an unfilled field
  const std::string name = DataPictureName(dat, services.fields, services.formats);
  if (name.empty()) {
    check.Add("dat", Severity::Warning, "the field gives no picture name; nothing is drawn");
  } else if (auto file = FindPictureFile(name, services.hostFolder, services.files)) {
    check.Add("dat", Severity::Error, "the picture file " + Quoted(*file) + " cannot be decoded");
  } else {
    check.Add("dat", Severity::Error,
              "the picture " + Quoted(name) +
                  " is found neither as given nor under dblogo\\, logo\\ or " +
                  services.hostFolder);
  }
}

}  // namespace

void CheckPicture(RecordCheck& check, const ProbeCanvas& probe, const DrawingServices& services,
                  const std::vector<std::string>& errors,
                  const std::optional<PictureSize>& shrunkFrom) {
  const std::string& record = check.Record();
  if (GetLayoutValue("typ", record) == "pho" && GetLayoutValue("knd", record) != "DB") return;
  const auto box = check.Box();
  if (!box || box->Width() <= 0 || box->Height() <= 0) return;
  bool drawn = false;
  for (const Ink& ink : probe.Inks()) {
    if (ink.kind != Ink::Picture) continue;
    drawn = true;
    // The printer gets it shrunk, but it is still read and decoded whole.
    const int width = shrunkFrom ? shrunkFrom->width : ink.pictureWidth;
    const int height = shrunkFrom ? shrunkFrom->height : ink.pictureHeight;
    if (width > kOversizeFactor * box->Width() && height > kOversizeFactor * box->Height())
      check.Add("dat", Severity::Warning,
                "the picture is " + std::to_string(width) + " x " + std::to_string(height) +
                    " pixels for a box of " +
                    std::to_string(box->Width()) + " x " + std::to_string(box->Height()) + " at " +
                    std::to_string(kPrinterDpi) + " dpi; it slows printing");
  }
  if (!drawn) ReportMissingPicture(check, services, errors);
}

}  // namespace vemra
