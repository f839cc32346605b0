#pragma once
// The settings file's access layer: one open file at a time, and every
// default a read used remembered, so that a write of a value equal to any
// remembered default removes the key instead of storing it.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sdk/ProfileFile.h"

namespace vemra {

class Lynini {
 public:
  explicit Lynini(ProfileFileOpener opener) : opener_(std::move(opener)) {}

  // Does nothing while a file is open.
  void IniOpen(const std::string& path);
  // Without a commit, a close drops what was written since the last one.
  void IniClose();
  void IniCommit();
  bool IsOpen() const { return file_ != nullptr; }

  std::string IniReadString(const std::string& section, const std::string& key,
                            const std::string& defaultValue);
  std::int32_t IniReadInteger(const std::string& section, const std::string& key,
                              std::int32_t defaultValue);
  bool IniReadBool(const std::string& section, const std::string& key, bool defaultValue);

  void IniWriteString(const std::string& section, const std::string& key,
                      const std::string& value);
  // The same, except that a key the file holds is written even when its
  // value equals a remembered default: for keys whose default is whatever
  // the machine has at the moment, where equal does not mean unchosen.
  void IniWriteStringKeepingStored(const std::string& section, const std::string& key,
                                   const std::string& value);
  void IniWriteInteger(const std::string& section, const std::string& key, std::int32_t value);
  void IniWriteBool(const std::string& section, const std::string& key, bool value);

  const std::vector<std::string>& RecordedDefaults() const { return recordedDefaults_; }

 private:
  ProfileFile& File() const;
  std::int32_t ReadInteger(const std::string& section, const std::string& key,
                           std::int32_t defaultValue) const;
  bool IsRecordedDefault(const std::string& line) const;

  ProfileFileOpener opener_;
  std::unique_ptr<ProfileFile> file_;
  std::vector<std::string> recordedDefaults_;
};

// Keeps the file open for one load, save or write-back; closes it also when
// a step in between throws, and then the file stays as it was.
class IniSession {
 public:
  IniSession(Lynini& ini, const std::string& path) : ini_(ini) { ini_.IniOpen(path); }
  ~IniSession() { ini_.IniClose(); }
  void Commit() { ini_.IniCommit(); }
  IniSession(const IniSession&) = delete;
  IniSession& operator=(const IniSession&) = delete;

 private:
  Lynini& ini_;
};

// Keeps a value's leading blanks through the blank-dropping read: one toggle
// that encodes a text starting with a space and decodes an encoded one.
std::string EncodeLeadingSpace(const std::string& text);
std::string TabsToSemicolons(const std::string& text);
std::string SemicolonsToTabs(const std::string& text);

}  // namespace vemra
