// A host timer that calls VmPrint, VmScanImage or VmSettings while one of
// them shows its window: the call is refused with its failure code and a
// log line, and the running one ends as it would have.
#include "HostDll.h"  // windows.h first

#include <gtest/gtest.h>

#include "ScriptedUser.h"

namespace vemra::test {
namespace {

constexpr int kFileNameField = 0x47C;  // the open-file dialog's name box

struct Export {
  const char* name;
  std::function<int(const Exports&)> call;
  std::function<HWND()> window;  // what it shows while it runs
  int closedResult;              // its result when the user closes that
  int refused;                   // its result when called meanwhile
};

HWND Preview() { return FindOurs(L"TdlgPreview"); }
HWND OpenFileDialog() { return FindOurs(L"#32770", kFileNameField); }
HWND SettingsDialog() {
  HWND d = FindOurs(L"#32770");
  return d && TextOf(d) == L"Inst\u00e4llningar" ? d : nullptr;
}

const Export kExports[] = {
    {"VmPrint",
     [](const Exports& dll) {
       return dll.print(2, "7", "Berg", "Eva", "0180-77-45F", "2027-01-31", "", "", "", "", "");
     },
     Preview, 0, 1},
    {"VmScanImage", [](const Exports& dll) { return dll.scanImage(1, "7"); }, OpenFileDialog, 2,
     2},
    {"VmSettings", [](const Exports& dll) { return dll.settings(); }, SettingsDialog, 1, 1},
};

TEST(ExclusiveExports, ACallWhileAnotherShowsItsWindowIsRefused) {
  const Exports dll = ByName();
  const std::string data = NewDemoDataFolder();
  CopyFromSource(data, "samples/portrait.jpg", "Image\\7.jpg");
  CopyFromSource(data, "samples/signature.jpg", "Image\\s7.jpg");
  ASSERT_EQ(dll.init(data.c_str()), 0);

  for (const Export& outer : kExports) {
    for (const Export& inner : kExports) {
      SCOPED_TRACE(std::string(inner.name) + " inside " + outer.name);
      int innerResult = -1;
      const Step callInner = [&] {
        HWND w = outer.window();
        if (w) innerResult = inner.call(dll);
        return w != nullptr;
      };
      const Step close = [&] {
        HWND w = outer.window();
        if (w) PostMessageW(w, w == Preview() ? WM_CLOSE : WM_COMMAND, IDCANCEL, 0);
        return w != nullptr;
      };
      EXPECT_EQ(RunScripted({callInner, close}, [&] { return outer.call(dll); }),
                outer.closedResult);
      EXPECT_EQ(innerResult, inner.refused);
      const std::string line = std::string(inner.name) + " avvisas: " + outer.name +
                               " p\xe5g\xe5r redan";
      EXPECT_NE(ReadText(data + "VemraSDK.log").find(line), std::string::npos) << line;
      EXPECT_FALSE(outer.window());
    }
  }
}

}  // namespace
}  // namespace vemra::test
