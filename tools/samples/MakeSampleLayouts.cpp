// Writes the sample card layouts and the demo logo into a folder:
//   make-sample-layouts FOLDER
#include <cstdio>
#include <exception>
#include <fstream>

#include "SampleLayouts.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make-sample-layouts FOLDER\n");
    return 2;
  }
  try {
    for (const auto& file : vemra::samples::SampleFiles()) {
      std::string path = std::string(argv[1]) + "/" + file.name;
      std::ofstream out(path, std::ios::binary | std::ios::trunc);
      out.write(reinterpret_cast<const char*>(file.bytes.data()), std::streamsize(file.bytes.size()));
      if (!out.flush()) throw std::runtime_error("cannot write " + path);
      std::printf("%s (%zu bytes)\n", path.c_str(), file.bytes.size());
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make-sample-layouts: %s\n", e.what());
    return 1;
  }
  return 0;
}
