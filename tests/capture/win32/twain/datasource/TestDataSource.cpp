// A TWAIN 1.x data source without a scanner: it delivers patterned pictures
// by native transfer and does what the test asks through environment
// variables, read when the source is enabled:
//   VEMRA_TESTSCAN_SIZE       "WxH" (default 40x30)
//   VEMRA_TESTSCAN_BITS       1, 8 (grey-and-colour palette) or 24 (default)
//   VEMRA_TESTSCAN_PICTURES   pictures in one acquisition (default 1)
//   VEMRA_TESTSCAN_OUTCOME    "close" (the user closes the source), "cancel"
//                             (the last transfer is cancelled), "fail"
//   VEMRA_TESTSCAN_CONDITION  condition code of a failure (default 5)
//   VEMRA_TESTSCAN_XFERCOUNT  "checkstatus" or "fail" for the count setting
//   VEMRA_TESTSCAN_OPEN       "fail" to refuse being opened
// Picture k (from 1) has pixel (x, y) = red 40k, green y*5, blue x*7 in 24
// bits; palette entry i = red i, green 255 - i, blue 40k with pixel index
// (x + y) & 255 in 8 bits; entries (10, 20, 40k) and (250, 240, 230) with
// pixel (x + y) & 1, rows from the top, in 1 bit.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "capture/win32/twain/TwainProtocol.h"

using namespace vemra::twain;

namespace {

struct Source {
  TW_IDENTITY identity{};
  int width = 40, height = 30, bits = 24, pictures = 1, delivered = 0, pending = 0;
  std::string outcome;
  TW_UINT16 condition = TWCC_SUCCESS;
  TW_UINT16 signal = MSG_NULL;
  std::string log;
  char parentClass[64] = "(none)";
} source;

std::string Env(const char* name) {
  char value[256] = {};
  const DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
  return n && n < sizeof value ? std::string(value, n) : std::string();
}

int EnvNumber(const char* name, int fallback) {
  const std::string v = Env(name);
  return v.empty() ? fallback : std::atoi(v.c_str());
}

// The log is also appended to VEMRA_TESTSCAN_TRACE, where a test reads it
// after the source manager has unloaded us (a scan through the library
// ends with the manager unloaded).
void Log(const std::string& entry) {
  source.log += entry + ";";
  static char trace[8192];
  DWORD n = GetEnvironmentVariableA("VEMRA_TESTSCAN_TRACE", trace, sizeof trace);
  if (n >= sizeof trace) n = 0;
  trace[n] = 0;
  if (n + entry.size() + 2 > sizeof trace) return;
  std::strcat(std::strcat(trace, entry.c_str()), ";");
  SetEnvironmentVariableA("VEMRA_TESTSCAN_TRACE", trace);
}

TW_UINT16 Fail(TW_UINT16 condition) {
  source.condition = condition;
  return TWRC_FAILURE;
}

void FillIdentity(TW_IDENTITY& id) {
  const TW_UINT32 keep = id.Id;
  std::memset(&id, 0, sizeof id);
  id.Id = keep;
  id.Version.MajorNum = 1;
  std::strcpy(id.Version.Info, "1.0");
  id.ProtocolMajor = 1;
  id.ProtocolMinor = 8;
  id.SupportedGroups = DG_CONTROL | DG_IMAGE;
  std::strcpy(id.Manufacturer, "Vemra");
  std::strcpy(id.ProductFamily, "Test");
  std::strcpy(id.ProductName, "Vemra testskanner");
}

void Enable(const TW_USERINTERFACE& ui) {
  Log("enable ui=" + std::to_string(ui.ShowUI));
  int w = 40, h = 30;
  if (std::sscanf(Env("VEMRA_TESTSCAN_SIZE").c_str(), "%dx%d", &w, &h) == 2)
    source.width = w, source.height = h;
  else
    source.width = 40, source.height = 30;
  source.bits = EnvNumber("VEMRA_TESTSCAN_BITS", 24);
  source.pictures = source.pending = EnvNumber("VEMRA_TESTSCAN_PICTURES", 1);
  source.delivered = 0;
  source.outcome = Env("VEMRA_TESTSCAN_OUTCOME");
  source.signal = source.outcome == "close" ? MSG_CLOSEDSREQ : MSG_XFERREADY;
  // Wakes the application's message loop, which then asks us for events.
  HWND parent = static_cast<HWND>(ui.hParent);
  if (!parent || !GetClassNameA(parent, source.parentClass, sizeof source.parentClass))
    std::strcpy(source.parentClass, "(none)");
  if (parent && IsWindow(parent))
    PostMessageA(parent, WM_NULL, 0, 0);
  else
    PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
}

HGLOBAL Picture(int k) {
  const int w = source.width, h = source.height, bits = source.bits;
  const int colours = bits <= 8 ? 1 << bits : 0;
  const int stride = (w * bits + 31) / 32 * 4;
  const SIZE_T size = sizeof(BITMAPINFOHEADER) + colours * 4 + SIZE_T(stride) * h;
  HGLOBAL block = GlobalAlloc(GHND, size);
  auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(block));
  if (!header) return block;
  header->biSize = sizeof *header;
  header->biWidth = w;
  header->biHeight = bits == 1 ? -h : h;  // 1 bit comes top-down
  header->biPlanes = 1;
  header->biBitCount = WORD(bits);
  header->biSizeImage = DWORD(stride * h);
  auto* table = reinterpret_cast<RGBQUAD*>(header + 1);
  const BYTE shade = BYTE(40 * k);
  if (bits == 8)
    for (int i = 0; i < 256; ++i) table[i] = {shade, BYTE(255 - i), BYTE(i), 0};
  if (bits == 1) table[0] = {shade, 20, 10, 0}, table[1] = {230, 240, 250, 0};
  BYTE* pixels = reinterpret_cast<BYTE*>(table + colours);
  for (int y = 0; y < h; ++y) {
    const int memoryRow = bits == 1 ? y : h - 1 - y;
    BYTE* row = pixels + SIZE_T(memoryRow) * stride;
    for (int x = 0; x < w; ++x) {
      if (bits == 24) {
        row[3 * x] = BYTE(x * 7), row[3 * x + 1] = BYTE(y * 5), row[3 * x + 2] = shade;
      } else if (bits == 8) {
        row[x] = BYTE(x + y);
      } else if ((x + y) & 1) {
        row[x / 8] |= BYTE(0x80 >> (x % 8));
      }
    }
  }
  GlobalUnlock(block);
  return block;
}

TW_UINT16 Transfer(TW_UINTPTR* handle) {
  if (source.outcome == "fail")
    return Fail(TW_UINT16(EnvNumber("VEMRA_TESTSCAN_CONDITION", TWCC_OPERATIONERROR)));
  if (source.outcome == "cancel" && source.pending == 1) return Log("cancel"), TWRC_CANCEL;
  HGLOBAL picture = Picture(++source.delivered);
  if (!picture) return Fail(TWCC_LOWMEMORY);
  *handle = reinterpret_cast<TW_UINTPTR>(picture);
  Log("picture " + std::to_string(source.delivered));
  return TWRC_XFERDONE;
}

TW_UINT16 Capability(TW_UINT16 message, TW_CAPABILITY& cap) {
  if (cap.Cap != CAP_XFERCOUNT) return Fail(TWCC_BADPROTOCOL);
  if (message == MSG_SET) {
    auto* value = static_cast<TW_ONEVALUE*>(GlobalLock(cap.hContainer));
    const int count = value ? TW_INT16(value->Item) : 0;
    if (value) GlobalUnlock(cap.hContainer);
    Log("set count=" + std::to_string(count));
    const std::string answer = Env("VEMRA_TESTSCAN_XFERCOUNT");
    if (answer == "checkstatus") return TWRC_CHECKSTATUS;
    if (answer == "fail") return Fail(10);
    return TWRC_SUCCESS;
  }
  if (message == MSG_GET) {
    Log("get count");
    cap.ConType = TWON_ONEVALUE;
    cap.hContainer = GlobalAlloc(GHND, sizeof(TW_ONEVALUE));
    if (auto* value = static_cast<TW_ONEVALUE*>(GlobalLock(cap.hContainer))) {
      value->ItemType = TWTY_INT16;
      value->Item = 1;
      GlobalUnlock(cap.hContainer);
    }
    return TWRC_SUCCESS;
  }
  return Fail(TWCC_BADPROTOCOL);
}

TW_UINT16 Control(TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data) {
  switch (dat) {
    case DAT_IDENTITY:
      if (msg == MSG_GET) return FillIdentity(*static_cast<TW_IDENTITY*>(data)), TWRC_SUCCESS;
      if (msg == MSG_OPENDS) {
        if (Env("VEMRA_TESTSCAN_OPEN") == "fail") return Log("open refused"), Fail(TWCC_OPERATIONERROR);
        source.identity = *static_cast<TW_IDENTITY*>(data);
        return Log("open"), TWRC_SUCCESS;
      }
      if (msg == MSG_CLOSEDS) return Log("close"), TWRC_SUCCESS;
      break;
    case DAT_CAPABILITY: return Capability(msg, *static_cast<TW_CAPABILITY*>(data));
    case DAT_USERINTERFACE:
      if (msg == MSG_ENABLEDS) return Enable(*static_cast<TW_USERINTERFACE*>(data)), TWRC_SUCCESS;
      if (msg == MSG_DISABLEDS) return Log("disable"), TWRC_SUCCESS;
      break;
    case DAT_EVENT:
      if (msg == MSG_PROCESSEVENT) {
        auto& event = *static_cast<TW_EVENT*>(data);
        event.TWMessage = source.signal;
        source.signal = MSG_NULL;
        return event.TWMessage == MSG_NULL ? TWRC_NOTDSEVENT : TWRC_DSEVENT;
      }
      break;
    case DAT_PENDINGXFERS: {
      auto& pending = *static_cast<TW_PENDINGXFERS*>(data);
      if (msg == MSG_ENDXFER) {
        if (source.pending > 0) --source.pending;
        Log("end " + std::to_string(source.pending));
      } else if (msg == MSG_RESET) {
        source.pending = 0;
        Log("reset");
      } else {
        break;
      }
      pending.Count = TW_UINT16(source.pending);
      return TWRC_SUCCESS;
    }
    case DAT_STATUS:
      if (msg == MSG_GET) {
        static_cast<TW_STATUS*>(data)->ConditionCode = source.condition;
        source.condition = TWCC_SUCCESS;
        return TWRC_SUCCESS;
      }
      break;
  }
  return Fail(TWCC_BADPROTOCOL);
}

}  // namespace

extern "C" __declspec(dllexport) TW_UINT16 WINAPI DS_Entry(TW_IDENTITY*, TW_UINT32 dg,
                                                           TW_UINT16 dat, TW_UINT16 msg,
                                                           TW_MEMREF data) {
  try {
    if (dg == DG_CONTROL) return Control(dat, msg, data);
    if (dg == DG_IMAGE && dat == DAT_IMAGENATIVEXFER && msg == MSG_GET)
      return Transfer(static_cast<TW_UINTPTR*>(data));
    return Fail(TWCC_BADPROTOCOL);
  } catch (...) {
    return Fail(TWCC_BUMMER);
  }
}

// What the source was asked, for the tests: entries ended by ';'.
extern "C" __declspec(dllexport) const char* WINAPI VemraTestScannerLog() {
  return source.log.c_str();
}
extern "C" __declspec(dllexport) void WINAPI VemraTestScannerClearLog() { source.log.clear(); }
// Window class of the parent window the last enable named.
extern "C" __declspec(dllexport) const char* WINAPI VemraTestScannerParent() {
  return source.parentClass;
}
