// A settings file of any content loads, saves and loads again without a
// fault, and what the save wrote reads back as what was saved.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "sdk/Settings.h"

namespace {

const std::string& Folder() {
  static const std::string folder = [] {
    std::string f = "/tmp/vemra-fuzz-settings-" + std::to_string(getpid()) + "/";
    std::system(("mkdir -p " + f).c_str());
    return f;
  }();
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vemra;
  {
    std::ofstream out(Folder() + "VemraSDK.ini", std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
  }
  Lynini ini(OpenPortableProfileFile);
  SettingsContext context;
  context.dataFolder = Folder();
  context.currentPrinter = "CardPDF";
  Settings loaded;
  LoadSettings(ini, context, loaded);
  Settings saved = loaded;
  SaveSettings(ini, context, saved);
  Settings again;
  LoadSettings(ini, context, again);
  if (again.issuerLine1 != loaded.issuerLine1 || again.photoQuality != loaded.photoQuality ||
      again.printer != loaded.printer)
    std::abort();
  return 0;
}
