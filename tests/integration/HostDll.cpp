#include "HostDll.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace vemra::test {

std::string WindowsPath(const char* unixPath) {
  std::string p = unixPath;
  if (p.empty() || p[0] != '/') return p;
  for (char& c : p)
    if (c == '/') c = '\\';
  return "Z:" + p;
}

HMODULE HostDll() {
  static HMODULE module = LoadLibraryA(WindowsPath(VEMRA_DLL_PATH).c_str());
  if (!module) throw std::runtime_error("cannot load VemraSDK.dll");
  return module;
}

namespace {
template <typename F>
F Get(const char* name, int ordinal, bool byOrdinal) {
  FARPROC f = byOrdinal ? GetProcAddress(HostDll(), MAKEINTRESOURCEA(ordinal))
                        : GetProcAddress(HostDll(), name);
  if (!f) throw std::runtime_error(std::string("missing export ") + name);
  return reinterpret_cast<F>(reinterpret_cast<void (*)()>(f));  // FARPROC names no real signature
}

Exports Load(bool byOrdinal) {
  return {Get<NoArgs>("VmVersion", 1, byOrdinal),
          Get<OneText>("VmPhotoSignatureExists", 2, byOrdinal),
          Get<Print>("VmPrint", 3, byOrdinal),
          Get<NoArgs>("VmSettings", 4, byOrdinal),
          Get<Scan>("VmScanImage", 5, byOrdinal),
          Get<OneText>("VmInit", 6, byOrdinal)};
}
}  // namespace

Exports ByName() { return Load(false); }
Exports ByOrdinal() { return Load(true); }

std::string TestProgramFolder() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string self(path, n);
  return self.substr(0, self.find_last_of('\\') + 1);
}

std::string NewTempFolder() {
  static int counter = 0;
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  // Wine hands an ended process's id to later ones, so a name can already
  // hold an earlier program's pictures: only a folder made here is fresh.
  for (;;) {
    std::string folder = std::string(temp) + "vemra-it-" +
                         std::to_string(GetCurrentProcessId()) + "-" +
                         std::to_string(counter++) + "\\";
    if (CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() != ERROR_ALREADY_EXISTS)
      return folder;
  }
}

std::string CopyFromSource(const std::string& folder, const std::string& path,
                           const std::string& name) {
  const std::string target = folder + name;
  CopyFileA(WindowsPath((std::string(VEMRA_SOURCE_DIR "/") + path).c_str()).c_str(),
            target.c_str(), FALSE);
  return target;
}

std::string NewDemoDataFolder() {
  const std::string data = NewTempFolder();
  for (const char* name : {"VemraSDK.ini", "vemraeu.cpb", "vemraeu_bak.cpc", "0180logo.jpg"})
    CopyFromSource(data, std::string("demo/") + name, name);
  CreateDirectoryA((data + "Image").c_str(), nullptr);
  return data;
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void Touch(const std::string& path) {
  CreateDirectoryA(path.substr(0, path.find_last_of('\\')).c_str(), nullptr);
  std::ofstream(path, std::ios::binary) << "jpeg";
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void SaveWindowPicture(HWND window, const std::string& path) {
  RECT r{};
  GetWindowRect(window, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC windowDc = GetWindowDC(window);
  HBITMAP dib = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(windowDc);
  HGDIOBJ old = SelectObject(memory, dib);
  BitBlt(memory, 0, 0, w, h, windowDc, 0, 0, SRCCOPY);
  GdiFlush();
  const DWORD stride = DWORD((w * 3 + 3) & ~3), size = stride * DWORD(h);
  BITMAPFILEHEADER file{0x4D42, DWORD(sizeof file + sizeof info.bmiHeader) + size, 0, 0,
                        DWORD(sizeof file + sizeof info.bmiHeader)};
  if (FILE* out = fopen(path.c_str(), "wb")) {
    fwrite(&file, sizeof file, 1, out);
    fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out);
    fwrite(bits, size, 1, out);
    fclose(out);
  }
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(dib);
  ReleaseDC(window, windowDc);
}

HostWindow::HostWindow() {
  frame = CreateWindowExW(0, L"STATIC", L"V\u00e4rdprogram", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                          300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  field = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, 10, 10,
                          200, 24, frame, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetActiveWindow(frame);
  SetFocus(field);
}

HostWindow::~HostWindow() {
  if (frame) DestroyWindow(frame);
}

void HostWindow::LookFrom(HWND dialog) {
  enabledBehindDialog_ = IsWindowEnabled(frame);
  dialogOwner_ = GetWindow(dialog, GW_OWNER);
}

std::string HostWindow::ModalFaults() const {
  std::string faults;
  if (enabledBehindDialog_) faults += "host enabled behind the dialog; ";
  if (dialogOwner_ != frame) faults += "dialog not owned by the host; ";
  if (!IsWindowEnabled(frame)) faults += "host left disabled; ";
  if (GetFocus() != field) faults += "focus not given back; ";
  return faults;
}

}  // namespace vemra::test
