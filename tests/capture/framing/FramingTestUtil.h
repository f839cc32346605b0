#pragma once
#include "capture/framing/CaptureFraming.h"
#include "imaging/ImagingTestUtil.h"

#include <cstring>
#include <ostream>

namespace vemra {
inline std::ostream& operator<<(std::ostream& o, const ScreenRect& r) {
  return o << "{" << r.left << ", " << r.top << ", " << r.width << ", " << r.height << "}";
}
inline std::ostream& operator<<(std::ostream& o, const ScreenSize& s) {
  return o << s.width << " x " << s.height;
}
inline std::ostream& operator<<(std::ostream& o, const PictureRect& r) {
  return o << "(" << r.left << ", " << r.top << ")-(" << r.right << ", " << r.bottom << ")";
}
}  // namespace vemra

namespace vemra::test {

// A picture fitted in a frame, as after a source delivered it.
inline CaptureFraming Framed(int width, int height, ScreenSize frame = kPhotoFrame,
                             int split = 0, bool vertical = false) {
  CaptureFraming f;
  f.SetFrame(frame);
  f.SetSplit(split, vertical);
  f.SetPicture(Gradient(width, height));
  return f;
}

// Equal 24-bit pictures, compared row by row.
inline bool SameBgr(const Bitmap& a, const Bitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    if (std::memcmp(a.Row(y), b.Row(y), 3 * std::size_t(a.Width())) != 0) return false;
  return true;
}

// Inverts every channel: a tone whose double application is visible.
inline void Invert(const Bitmap& from, Bitmap& to) {
  for (int y = 0; y < from.Height(); ++y)
    for (int x = 0; x < 3 * from.Width(); ++x) to.Row(y)[x] = std::uint8_t(255 - from.Row(y)[x]);
}

}  // namespace vemra::test
