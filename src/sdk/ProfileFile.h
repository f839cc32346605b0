#pragma once
// One sectioned key=value settings file, read and written key by key with
// the platform's profile-file rules: blanks around values dropped, one pair
// of enclosing quotes removed, ";" lines are comments, names matched without
// regard to ASCII case, at most 2047 characters read. Writes land in the
// file together at Commit, so a save that fails half-way leaves the file as
// it was.
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

namespace vemra {

class ProfileWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class ProfileFile {
 public:
  virtual ~ProfileFile() = default;
  // nullopt when the key (or the file) is missing; a present empty value is "".
  virtual std::optional<std::string> Read(const std::string& section,
                                          const std::string& key) const = 0;
  // Creates file, section and key as needed; throws ProfileWriteError.
  virtual void Write(const std::string& section, const std::string& key,
                     const std::string& value) = 0;
  // Deletes the key when present; never creates the file.
  virtual void Remove(const std::string& section, const std::string& key) = 0;
  // Puts every write and removal since opening (or the last Commit) in the
  // file at once; without it they are dropped. Throws ProfileWriteError.
  virtual void Commit() = 0;
};

using ProfileFileOpener = std::function<std::unique_ptr<ProfileFile>(const std::string& path)>;

// The portable reader/writer with the same rules; changes are held in
// memory and Commit replaces the file whole.
std::unique_ptr<ProfileFile> OpenPortableProfileFile(const std::string& path);

}  // namespace vemra
