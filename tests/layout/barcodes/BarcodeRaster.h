#pragma once
// Test-only: draws an element list into a grey image and lets an
// independent decoder (zbarimg) read it back.
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "layout/barcodes/BarcodeElements.h"

namespace vemra::test {

// Writes a binary PGM: white, the bars black, each unit or module
// `scale` pixels wide, with a quiet zone of `quiet` units on both sides.
inline void WriteBarcodePgm(const std::string& path, const BarElements& elements, int scale,
                            int quiet = 20, int height = 60) {
  const int width = (TotalWidth(elements) + 2 * quiet) * scale;
  std::vector<unsigned char> row(width, 255);
  int x = quiet * scale;
  for (const auto& e : elements) {
    if (e.bar)
      for (int i = 0; i < e.width * scale; ++i) row[x + i] = 0;
    x += e.width * scale;
  }
  std::ofstream out(path, std::ios::binary);
  out << "P5\n" << width << " " << height << "\n255\n";
  const std::vector<unsigned char> blank(width, 255);
  for (int y = 0; y < height; ++y) {
    const auto& r = (y < 8 || y >= height - 8) ? blank : row;
    out.write(reinterpret_cast<const char*>(r.data()), width);
  }
}

inline bool HaveZbarimg() {
#ifdef _WIN32
  return false;
#else
  return std::system("zbarimg --version >/dev/null 2>&1") == 0;
#endif
}

// Every symbol zbarimg finds, as `--raw` prints it (one per line, the
// final newline removed); nullopt when it finds none.
inline std::optional<std::string> DecodeWithZbar(const std::string& path) {
#ifdef _WIN32
  (void)path;
  return std::nullopt;
#else
  std::string command = "zbarimg --raw -q '" + path + "' 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return std::nullopt;
  std::string text;
  char buffer[512];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, n);
  int status = pclose(pipe);
  if (status != 0 || text.empty()) return std::nullopt;
  if (text.back() == '\n') text.pop_back();
  return text;
#endif
}

}  // namespace vemra::test
