#include "layout/file/PicturePaths.h"

#include "base/Text.h"

namespace vemra {
namespace {

// One folder up; a drive or share root stays where it is.
std::string ParentFolder(std::string folder) {
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  auto slash = folder.find_last_of('\\');
  if (slash == std::string::npos || slash <= 1) return WithTrailingBackslash(folder);
  return folder.substr(0, slash + 1);
}

bool HasExtension(std::string_view path) {
  auto dot = path.find_last_of('.');
  return dot != std::string_view::npos && path.find_first_of("\\:", dot) == std::string_view::npos;
}

std::string HostWithBackslash(std::string_view hostFolder) {
  return hostFolder.empty() ? std::string() : WithTrailingBackslash(std::string(hostFolder));
}

}  // namespace

std::string ResolveLayoutPath(std::string_view name, std::string_view hostFolder) {
  std::string host = HostWithBackslash(hostFolder);
  if (StartsWith(name, "..\\")) {
    while (StartsWith(name, "..\\")) {
      name.remove_prefix(3);
      host = ParentFolder(host);
    }
    if (StartsWith(name, "\\")) name.remove_prefix(1);
    return host + std::string(name);
  }
  if (StartsWith(name, "\\\\")) return std::string(name);
  if (StartsWith(name, "\\")) return host + std::string(name.substr(1));
  if (StartsWith(name, "..")) return host + std::string(name.substr(2));
  return std::string(name);
}

std::optional<std::string> FindPictureFile(std::string_view name, std::string_view hostFolder,
                                           const FileSystem& files) {
  if (name.empty()) return std::nullopt;
  if (files.FileExists(std::string(name))) return std::string(name);
  std::string host = HostWithBackslash(hostFolder);
  std::string resolved = ResolveLayoutPath(name, host);
  const std::string places[] = {resolved, host + "dblogo\\" + resolved,
                                host + "logo\\" + resolved, host + resolved};
  static const char* const kExtensions[] = {".jpg", ".jpeg", ".bmp", ".wmf", ".emf"};
  bool extension = HasExtension(resolved);
  for (const auto& place : places) {
    if (extension) {
      if (files.FileExists(place)) return place;
      continue;
    }
    for (const char* ext : kExtensions)
      if (files.FileExists(place + ext)) return place + ext;
  }
  return std::nullopt;
}

}  // namespace vemra
