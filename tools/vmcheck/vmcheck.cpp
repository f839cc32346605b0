// vmcheck: reports every problem of a card layout before a card is printed
// with it. Exit code 0 clean, 1 warnings only, 2 errors, 3 usage or proof
// picture failure.
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>

#include "ProblemReport.h"
#include "ToolPlatform.h"

namespace {

constexpr int kUsageError = 3;

constexpr const char* kUsage =
    "usage: vmcheck [--data FOLDER] [--fields FILE] [--proof OUT.png] [--json] LAYOUT.cpb\n"
    "  --data FOLDER   the data folder (VemraSDK.ini, logo); default: the layout's folder\n"
    "  --fields FILE   field values as name<TAB>value lines instead of a sample holder\n"
    "  --proof OUT.png front, back and sheet at 300 dpi with each problem outlined in red\n"
    "  --json          one JSON object a line for each problem\n"
    "exit code: 0 clean, 1 warnings only, 2 errors, 3 usage or proof picture failure\n";

struct Arguments {
  vemra::CheckOptions options;
  std::string proof;
  bool json = false;
};

bool ParseArguments(int argc, char** argv, Arguments& out) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--json")
      out.json = true;
    else if (arg == "--data" && hasValue)
      out.options.dataFolder = argv[++i];
    else if (arg == "--fields" && hasValue)
      out.options.fieldsFile = argv[++i];
    else if (arg == "--proof" && hasValue)
      out.proof = argv[++i];
    else if (!arg.starts_with("--") && out.options.layout.empty())
      out.options.layout = argv[i];
    else
      return false;
  }
  return !out.options.layout.empty();
}

int Run(int argc, char** argv) {
  Arguments args;
  if (!ParseArguments(argc, argv, args)) {
    std::fputs(kUsage, stderr);
    return kUsageError;
  }
  vemra::ToolPlatform platform = vemra::MakeToolPlatform();
  const vemra::CheckResult result = vemra::CheckLayout(
      args.options,
      {*platform.files, *platform.formats, *platform.measure, platform.bindPictureHooks});
  const std::string report =
      args.json ? vemra::JsonReport(result.problems) : vemra::TextReport(result.problems);
  std::fwrite(report.data(), 1, report.size(), stdout);
  std::fflush(stdout);
  if (!args.proof.empty()) {
    std::string error;
    if (!vemra::WriteProofPicture(result, platform, args.proof, error)) {
      std::fprintf(stderr, "vmcheck: %s\n", error.c_str());
      return kUsageError;
    }
  }
  return vemra::ExitCodeOf(result.problems);
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vmcheck: %s\n", e.what());
    return kUsageError;
  }
}
