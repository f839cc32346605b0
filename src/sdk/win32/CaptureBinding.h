#pragma once
// The capture dialog bound into the library: TdlgCapture, the picture
// sources this build has, and the picture store.
#include <memory>

#include "capture/CaptureToFile.h"

namespace vemra {

std::unique_ptr<CaptureService> MakeWin32CaptureService();

}  // namespace vemra
