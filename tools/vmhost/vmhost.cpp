// vmhost: loads VemraSDK.dll with LoadLibrary and calls its exports from the
// command line, as the host program does. For support staff and tests.
//
//   vmhost [--dll PATH] [--ordinal] COMMAND [ARGS] [+ COMMAND [ARGS]]...
//
// Commands: version | init [FOLDER] | exists ID | scan KIND ID | settings |
//           print MODE ID SURNAME FIRSTNAME PERMIT VALIDUNTIL [CO STREET
//           POSTCODE PHONE OPERATOR]
// An argument @null passes a null pointer. Each call prints its result code.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Args = std::vector<std::string>;

struct Dll {
  HMODULE module = nullptr;
  bool byOrdinal = false;

  // The export as a function of type F; through void (*)() since FARPROC
  // names no real signature.
  template <typename F>
  F Get(const char* name, int ordinal) const {
    FARPROC f = byOrdinal ? GetProcAddress(module, MAKEINTRESOURCEA(ordinal))
                          : GetProcAddress(module, name);
    if (!f) {
      std::fprintf(stderr, "vmhost: %s (ordinal %d) not found in the DLL\n", name, ordinal);
      std::exit(3);
    }
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(f));
  }
};

const char* Text(const Args& a, std::size_t i) {
  if (i >= a.size()) return "";
  return a[i] == "@null" ? nullptr : a[i].c_str();
}

using NoArgs = int(__stdcall*)();
using OneText = int(__stdcall*)(const char*);
using Scan = int(__stdcall*)(unsigned, const char*);
using Print = int(__stdcall*)(int, const char*, const char*, const char*, const char*,
                              const char*, const char*, const char*, const char*, const char*,
                              const char*);

int Call(const Dll& dll, const Args& a) {
  const std::string& c = a[0];
  if (c == "version") return dll.Get<NoArgs>("VmVersion", 1)();
  if (c == "init") return dll.Get<OneText>("VmInit", 6)(Text(a, 1));
  if (c == "exists")
    return dll.Get<OneText>("VmPhotoSignatureExists", 2)(Text(a, 1));
  if (c == "scan")
    return dll.Get<Scan>("VmScanImage", 5)(
        unsigned(std::strtoul(Text(a, 1) ? Text(a, 1) : "0", nullptr, 0)), Text(a, 2));
  if (c == "settings") return dll.Get<NoArgs>("VmSettings", 4)();
  if (c == "print")
    return dll.Get<Print>("VmPrint", 3)(
        std::atoi(Text(a, 1) ? Text(a, 1) : "0"), Text(a, 2), Text(a, 3), Text(a, 4),
        Text(a, 5), Text(a, 6), Text(a, 7), Text(a, 8), Text(a, 9), Text(a, 10), Text(a, 11));
  std::fprintf(stderr, "vmhost: unknown command '%s'\n", c.c_str());
  std::exit(2);
}

std::string DefaultDllPath() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string self(path, n);
  return self.substr(0, self.find_last_of('\\') + 1) + "VemraSDK.dll";
}

int Usage() {
  std::fprintf(stderr,
               "usage: vmhost [--dll PATH] [--ordinal] COMMAND [ARGS] [+ COMMAND [ARGS]]...\n"
               "  version | init [FOLDER] | exists ID | scan KIND ID | settings |\n"
               "  print MODE ID SURNAME FIRSTNAME PERMIT VALIDUNTIL [CO STREET POSTCODE PHONE "
               "OPERATOR]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  Dll dll;
  std::string path = DefaultDllPath();
  std::vector<Args> calls(1);
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--dll" && i + 1 < argc) path = argv[++i];
    else if (arg == "--ordinal") dll.byOrdinal = true;
    else if (arg == "+") calls.emplace_back();
    else calls.back().push_back(arg);
  }
  for (const auto& call : calls)
    if (call.empty()) return Usage();

  dll.module = LoadLibraryA(path.c_str());
  if (!dll.module) {
    std::fprintf(stderr, "vmhost: cannot load %s (error %lu)\n", path.c_str(), GetLastError());
    return 3;
  }
  for (const auto& call : calls) {
    std::string shown = call[0];
    for (std::size_t i = 1; i < call.size(); ++i) shown += " \"" + call[i] + "\"";
    std::printf("%s -> %d\n", shown.c_str(), Call(dll, call));
    std::fflush(stdout);
  }
  FreeLibrary(dll.module);
  return 0;
}
