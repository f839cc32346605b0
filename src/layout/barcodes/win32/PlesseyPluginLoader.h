#pragma once
// The Plessey check-character plug-in: "cpPlessey.dll" in the "plugin"
// folder beside the host program, loaded once per process on first need.
//
// Its entry "Dll_GetPlesseyCrc" is stdcall with two pointers to
// length-prefixed strings (PlesseyShortString): the barcode text in, and a
// 256-byte buffer, preset empty, for the check characters out.
#include <string>
#include <string_view>

#include "layout/barcodes/PlesseyPlugin.h"

namespace vemra {

class PlesseyPluginLoader {
 public:
  // hostFolder: the folder of the host's executable, with a trailing "\".
  explicit PlesseyPluginLoader(std::string hostFolder);
  ~PlesseyPluginLoader();
  PlesseyPluginLoader(const PlesseyPluginLoader&) = delete;
  PlesseyPluginLoader& operator=(const PlesseyPluginLoader&) = delete;

  // The outcome of the one load attempt, made on the first call: a failed
  // attempt is not repeated.
  int Load();

  // The plug-in's check characters for text, or "" when it is not loaded.
  std::string CheckChars(std::string_view text);

 private:
  int TryLoad();

  std::string hostFolder_;
  bool tried_ = false;
  int outcome_ = kPlesseyUnexpectedError;
  void* module_ = nullptr;
  void* entry_ = nullptr;
};

// The process-wide plug-in, looked up beside the host's executable.
int PlesseyLoadOutcome();
std::string PlesseyCheckChars(std::string_view text);

}  // namespace vemra
