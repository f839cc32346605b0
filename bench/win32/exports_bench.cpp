// exports_bench [DLL] [data folder] [calls]: VmInit and
// VmPhotoSignatureExists timed in process, as the host calls them: the DLL
// loaded once with LoadLibrary, each export called in a loop. The first
// VmInit of the process is shown apart; the other figures are medians.
//
// Under Wine: scripts/wine-run.sh <build>/bench/win32/exports_bench.exe
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using OneText = int(__stdcall*)(const char*);

std::string Beside(const char* name) {
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string self(path, n);
  return self.substr(0, self.find_last_of('\\') + 1) + name;
}

double Ms(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
}

double MedianMs(int calls, OneText f, const char* argument) {
  std::vector<double> times;
  for (int i = 0; i < calls; ++i) {
    const auto start = std::chrono::steady_clock::now();
    f(argument);
    times.push_back(Ms(start));
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const std::string dll = argc > 1 ? argv[1] : Beside("..\\..\\bin\\VemraSDK.dll");
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = argc > 2 ? argv[2] : std::string(temp) + "vemra-exports-bench";
  const int calls = argc > 3 ? std::max(1, std::atoi(argv[3])) : 200;

  const auto loading = std::chrono::steady_clock::now();
  HMODULE module = LoadLibraryA(dll.c_str());
  if (!module) {
    std::fprintf(stderr, "exports_bench: cannot load %s (error %lu)\n", dll.c_str(), GetLastError());
    return 3;
  }
  const double load = Ms(loading);
  const auto entry = [&](const char* name) {
    return reinterpret_cast<OneText>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
  };
  const OneText init = entry("VmInit"), exists = entry("VmPhotoSignatureExists");
  if (!init || !exists) return 3;

  const auto first = std::chrono::steady_clock::now();
  const int code = init(folder.c_str());
  const double firstInit = Ms(first);
  std::printf("%d-bit VemraSDK.dll, data folder %s, VmInit -> %d\n", int(sizeof(void*) * 8),
              folder.c_str(), code);
  std::printf("%-36s %9.3f ms\n", "LoadLibrary", load);
  std::printf("%-36s %9.3f ms\n", "VmInit, first in the process", firstInit);
  std::printf("%-36s %9.3f ms (median of %d)\n", "VmInit, again", MedianMs(calls, init, folder.c_str()), calls);
  std::printf("%-36s %9.3f ms (median of %d)\n", "VmPhotoSignatureExists", MedianMs(calls, exists, "123"), calls);
  FreeLibrary(module);
  return 0;
}
