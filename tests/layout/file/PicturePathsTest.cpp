#include <gtest/gtest.h>

#include <set>

#include "layout/file/PicturePaths.h"

namespace vemra {
namespace {

// Files that exist, and every path asked about in order.
class FakeFiles final : public FileSystem {
 public:
  explicit FakeFiles(std::set<std::string> files) : files_(std::move(files)) {}
  bool FileExists(const std::string& path) const override {
    asked.push_back(path);
    return files_.count(path) > 0;
  }
  bool FolderExists(const std::string&) const override { return false; }
  bool CreateFolders(const std::string&) override { return false; }
  std::vector<std::string> ListFiles(const std::string&, const std::string&) const override {
    return {};
  }
  bool AppendToFile(const std::string&, const std::string&) override { return false; }
  std::uint64_t FileSize(const std::string&) const override { return 0; }
  bool MoveReplacing(const std::string&, const std::string&) override { return false; }
  mutable std::vector<std::string> asked;

 private:
  std::set<std::string> files_;
};

const std::string kHost = "C:\\Program\\Ortex\\";

TEST(ResolveLayoutPath, StartsRelativeNamesFromTheHostFolder) {
  struct Case { const char* name; const char* path; } cases[] = {
      {"..\\bilder\\a.jpg", "C:\\Program\\bilder\\a.jpg"},
      {"..\\..\\a.jpg", "C:\\a.jpg"},
      {"..\\..\\..\\..\\a.jpg", "C:\\a.jpg"},  // the root stays the root
      {"..\\\\a.jpg", "C:\\Program\\a.jpg"},
      {"\\\\server\\bild.jpg", "\\\\server\\bild.jpg"},
      {"\\logo\\a.jpg", "C:\\Program\\Ortex\\logo\\a.jpg"},
      {"..logo\\a.jpg", "C:\\Program\\Ortex\\logo\\a.jpg"},
      {"logo\\a.jpg", "logo\\a.jpg"},
      {"D:\\a.jpg", "D:\\a.jpg"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ResolveLayoutPath(c.name, kHost), c.path) << c.name;
  EXPECT_EQ(ResolveLayoutPath("\\a.jpg", "C:\\Ortex"), "C:\\Ortex\\a.jpg");
}

TEST(FindPictureFile, TriesEveryExtensionOfAPlaceBeforeTheNext) {
  FakeFiles files({kHost + "logo\\kommunlogo.bmp", kHost + "kommunlogo.jpg"});
  EXPECT_EQ(FindPictureFile("kommunlogo", kHost, files), kHost + "logo\\kommunlogo.bmp");
  std::vector<std::string> expected = {"kommunlogo"};
  for (std::string place : {std::string(), kHost + "dblogo\\", kHost + "logo\\"}) {
    for (const char* ext : {".jpg", ".jpeg", ".bmp", ".wmf", ".emf"}) {
      expected.push_back(place + "kommunlogo" + ext);
      if (place == kHost + "logo\\" && std::string(ext) == ".bmp") break;
    }
  }
  EXPECT_EQ(files.asked, expected);
}

TEST(FindPictureFile, UsesTheFirstPlaceThatHasTheFile) {
  struct Case { std::set<std::string> files; const char* name; std::optional<std::string> found; } cases[] = {
      {{"C:\\x\\a.jpg"}, "C:\\x\\a.jpg", "C:\\x\\a.jpg"},
      {{kHost + "dblogo\\a.jpg", kHost + "a.jpg"}, "a.jpg", kHost + "dblogo\\a.jpg"},
      {{kHost + "a.jpg"}, "a.jpg", kHost + "a.jpg"},
      {{kHost + "bilder\\a.jpg"}, "\\bilder\\a.jpg", kHost + "bilder\\a.jpg"},
      {{kHost + "a.jpeg", kHost + "a.emf"}, "a", kHost + "a.jpeg"},
      {{kHost + "a.jpg.jpg"}, "a.jpg", std::nullopt},  // an extension is not added twice
      {{}, "a", std::nullopt},
      {{kHost + ".jpg"}, "", std::nullopt},
  };
  for (const auto& c : cases) {
    FakeFiles files(c.files);
    EXPECT_EQ(FindPictureFile(c.name, kHost, files), c.found) << c.name;
  }
}

}  // namespace
}  // namespace vemra
