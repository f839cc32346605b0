#pragma once
// The Canon EOS camera plug-in in use: one export "Dll_ParamsW" that takes
// a function number and a text it may replace. The library is behind
// EosLibrary: the platform binds it, tests fake it.
#include <functional>
#include <string>

namespace vemra {

enum EosFunction : int {
  kEosGetImage = 1,
  kEosGetSettings = 3,
  kEosSetSettings = 4,
  kEosSetRights = 6,
};

// Results of EosLibrary::Params besides the plug-in's own.
inline constexpr int kEosOk = 0;
inline constexpr int kEosFailedWithText = -1;  // the text says why
inline constexpr int kEosNoEntry = -98;        // the library lacks the export

class EosLibrary {
 public:
  virtual ~EosLibrary() = default;
  virtual bool Load(const std::string& path) = 0;
  virtual int Params(int function, std::string& params) = 0;
};

struct EosOptions {
  std::string libraryPath;
  bool handleSettings = false;  // send the settings after loading, fetch them when changed
  std::string settings;
  std::string rights;  // sent after loading when not empty
};

class EosCamera {
 public:
  using Inform = std::function<void(const std::string& text)>;
  EosCamera(EosLibrary& library, EosOptions options, Inform inform);

  // The picture answer (a key/value list with "Fil" and "Angle"). On
  // failure the answer is empty, LastError() says why, and unless quiet
  // the user is told.
  bool GetImage(bool quiet, std::string& answer);

  const std::string& LastError() const { return lastError_; }
  // The settings as the plug-in last reported them.
  const std::string& Settings() const { return options_.settings; }

 private:
  bool Load();
  bool Call(int function, std::string& params, const char* what);

  EosLibrary& library_;
  EosOptions options_;
  Inform inform_;
  bool loaded_ = false;
  std::string lastError_;
};

}  // namespace vemra
