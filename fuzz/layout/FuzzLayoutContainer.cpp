// Layout files from outside: plain text or containers with any header.
#include <cstddef>
#include <cstdint>

#include "layout/file/LayoutFile.h"
#include "layout/fields/LayoutValues.h"
#include "layout/file/MetafileHeader.h"

using namespace vemra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  PictureStore store;
  LayoutList list;
  LoadLayoutBytes(data, size, list, store);
  for (const auto& record : list) {
    try {
      ParseLayoutNumber(GetLayoutValue("lft", record, 0.5, ','));
      ParseLayoutNumber(GetLayoutValue("fsz", record, 3.0));
      ParseLayoutIntegerOr(GetLayoutValue("ang", record), 0);
    } catch (const LayoutValueError&) {
    }
  }
  for (const auto& name : FixedImageNames(list)) {
    if (!store.Find(name)) continue;
    Metafile metafile;
    ReadMetafileHeader(store.Current().data(), store.Current().size(), metafile);
  }
  return 0;
}
