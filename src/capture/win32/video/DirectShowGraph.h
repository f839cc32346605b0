#pragma once
// A DirectShow preview graph: a video input device through the sample
// grabber into a renderer window.
#include <windows.h>
#include <objidl.h>

#include <memory>
#include <string>
#include <vector>

#include "capture/framing/FramingGeometry.h"
#include "imaging/Bitmap.h"

namespace vemra {

// Friendly names of the video input devices; empty on any failure.
std::vector<std::string> EnumerateVideoDevices();

class DirectShowGraph {
 public:
  DirectShowGraph();
  ~DirectShowGraph();
  DirectShowGraph(const DirectShowGraph&) = delete;
  DirectShowGraph& operator=(const DirectShowGraph&) = delete;

  // The named device (case-insensitive) rendered through the grabber;
  // false when it is not there or the graph cannot be built.
  bool BuildVideoGraph(const std::string& deviceName);
  // "640 x 480" from the preview (else the capture) pin's format; empty
  // when unknown.
  std::string GetVideoFormatText();

  // The renderer's window inside `owner` at (0, 0) with `size`, which it
  // sends its mouse messages to.
  void ShowIn(HWND owner, ScreenSize size);
  void Run();
  void Stop();
  // The last sample as a top-row-first 24-bit picture; empty before any.
  Bitmap LastFrame();

 private:
  bool Build(IMoniker* device, const CLSID& renderer);

  struct Objects;
  std::unique_ptr<Objects> o_;
};

}  // namespace vemra
