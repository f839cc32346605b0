#pragma once
// A Canon or Canon PR camera plug-in in use: loaded at the first picture,
// connected once, then asked for one picture per press. The library itself
// is behind CanonLibrary: the platform binds it, tests fake it.
#include <string>

namespace vemra {

// Results of CanonLibrary::Load.
enum CanonLoadResult : int {
  kCanonLoaded = 0,
  kCanonLoadedBefore = 2,  // the library is there already: nothing new loaded
  kCanonLoadFailed = 3,    // an entry point missing, or the load threw
  kCanonMissing = 4,       // the library could not be loaded
};

class CanonLibrary {
 public:
  virtual ~CanonLibrary() = default;
  virtual int Load() = 0;
  // The answers are the plug-in's 256-byte short strings, as text.
  virtual std::string ConnectInit(const std::string& settingsFile) = 0;
  virtual std::string GetImage(bool automatic) = 0;
};

class CanonCamera {
 public:
  explicit CanonCamera(CanonLibrary& library, std::string settingsFile = "");

  // The picture answer, or "" when the plug-in could not be loaded or the
  // camera would not connect (no message: the button brings nothing).
  std::string GetImage(bool automatic = false);

  bool Connected() const { return connected_; }
  const std::string& CameraName() const { return cameraName_; }
  // The connect answer that failed.
  const std::string& LastError() const { return lastError_; }

 private:
  bool Connect();

  CanonLibrary& library_;
  std::string settingsFile_;
  bool loaded_ = false, connected_ = false;
  std::string cameraName_, lastError_;
};

}  // namespace vemra
