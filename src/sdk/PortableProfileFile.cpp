#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "base/FileSystem.h"
#include "base/TempNames.h"
#include "base/Text.h"
#include "sdk/ProfileFile.h"

namespace vemra {
namespace {

constexpr std::size_t kMaxRead = 2047;

std::string TrimBlanks(std::string_view text) {
  std::size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string_view::npos) return {};
  std::size_t end = text.find_last_not_of(" \t\r");
  return std::string(text.substr(begin, end - begin + 1));
}

std::string Unquote(std::string value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

std::optional<std::string> SectionName(const std::string& line) {
  std::string t = TrimBlanks(line);
  if (t.size() < 2 || t.front() != '[') return std::nullopt;
  auto close = t.find(']');
  if (close == std::string::npos) return std::nullopt;
  return TrimBlanks(std::string_view(t).substr(1, close - 1));
}

// Key of a "key=value" line, or nullopt for comments and other lines.
std::optional<std::string> KeyName(const std::string& line) {
  std::string t = TrimBlanks(line);
  if (t.empty() || t[0] == ';' || t[0] == '[') return std::nullopt;
  auto eq = t.find('=');
  if (eq == std::string::npos) return std::nullopt;
  return TrimBlanks(std::string_view(t).substr(0, eq));
}

class PortableProfileFile final : public ProfileFile {
 public:
  explicit PortableProfileFile(std::string path) : path_(NativePath(path)) {}

  std::optional<std::string> Read(const std::string& section,
                                  const std::string& key) const override {
    const auto lines = pending_ ? *pending_ : Load();
    auto at = FindKey(lines, section, key);
    if (!at.key) return std::nullopt;
    const std::string& line = lines[*at.key];
    std::string value = Unquote(TrimBlanks(std::string_view(line).substr(line.find('=') + 1)));
    if (value.size() > kMaxRead) value.resize(kMaxRead);
    return value;
  }

  void Write(const std::string& section, const std::string& key,
             const std::string& value) override {
    auto& lines = Pending();
    auto at = FindKey(lines, section, key);
    std::string entry = key + "=" + value;
    if (at.key) {
      lines[*at.key] = entry;
    } else if (at.sectionEnd) {
      lines.insert(lines.begin() + std::ptrdiff_t(*at.sectionEnd), entry);
    } else {
      lines.push_back("[" + section + "]");
      lines.push_back(entry);
    }
  }

  void Remove(const std::string& section, const std::string& key) override {
    auto lines = pending_ ? *pending_ : Load();
    auto at = FindKey(lines, section, key);
    if (!at.key) return;
    lines.erase(lines.begin() + std::ptrdiff_t(*at.key));
    pending_ = std::move(lines);
  }

  void Commit() override {
    if (!pending_) return;
    Save(*pending_);
    pending_.reset();
  }

 private:
  struct Position {
    std::optional<std::size_t> key;         // line of the key
    std::optional<std::size_t> sectionEnd;  // after the section's last entry
  };

  static Position FindKey(const std::vector<std::string>& lines, const std::string& section,
                          const std::string& key) {
    Position at;
    bool inSection = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (auto name = SectionName(lines[i])) {
        if (inSection) break;  // the first matching section is the one used
        inSection = EqualsNoCaseAscii(*name, section);
        if (inSection) at.sectionEnd = i + 1;
        continue;
      }
      if (!inSection) continue;
      auto name = KeyName(lines[i]);
      if (!name) continue;
      at.sectionEnd = i + 1;
      if (EqualsNoCaseAscii(*name, key)) {
        at.key = i;
        return at;
      }
    }
    return at;
  }

  std::vector<std::string> Load() const {
    std::vector<std::string> lines;
    std::ifstream in(path_, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
    }
    return lines;
  }

  std::vector<std::string>& Pending() {
    if (!pending_) pending_ = Load();
    return *pending_;
  }

  void Save(const std::vector<std::string>& lines) {
    const std::string temp = UniqueSiblingName(path_);
    {
      std::ofstream out(temp, std::ios::binary | std::ios::trunc);
      for (const auto& line : lines) out << line << "\r\n";
      if (!out.flush()) {
        out.close();
        std::error_code ec;
        std::filesystem::remove(temp, ec);
        throw ProfileWriteError("cannot write " + temp);
      }
    }
    std::error_code ec;
    std::filesystem::rename(temp, path_, ec);
    if (ec) {
      std::filesystem::remove(temp, ec);
      throw ProfileWriteError("cannot replace " + path_);
    }
  }

  std::string path_;
  std::optional<std::vector<std::string>> pending_;  // changes not yet committed
};

}  // namespace

std::unique_ptr<ProfileFile> OpenPortableProfileFile(const std::string& path) {
  return std::make_unique<PortableProfileFile>(path);
}

}  // namespace vemra
