// The video menu's driver dialogs: each item opens the dialog its caption
// names. Wine has no video driver, so a swap of the display and format
// dialogs would show nowhere else.
#include <gtest/gtest.h>
#include <windows.h>
#include <vfw.h>

#include "capture/win32/video/LiveVideos.h"
#include "capture/win32/video/VideoCap.h"

namespace vemra {
namespace {

TEST(VideoMenu, EachItemOpensTheDriverDialogItsCaptionNames) {
  struct Case {
    int item;
    UINT dialog;
  } cases[] = {
      {kIdVideoSource, WM_CAP_DLG_VIDEOSOURCE},
      {kIdVideoDisplay, WM_CAP_DLG_VIDEODISPLAY},
      {kIdVideoFormat, WM_CAP_DLG_VIDEOFORMAT},
      {kIdVideoOverlay, 0},
      {kIdVideoPreview, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(DriverDialogMessage(c.item), c.dialog) << c.item;
}

}  // namespace
}  // namespace vemra
