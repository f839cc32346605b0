#pragma once
// Every picture the library holds in memory (bitmaps, decoder buffers,
// drawing surfaces) is counted against one budget for the process. A
// 32-bit host has about 2 GB of address space, shared with the host and
// the printer driver, so small hostile files or layout numbers must not be
// able to ask for more than a card could ever need.
#include <atomic>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

namespace vemra {

// All pictures at once: several capture copies of a camera photo, a sheet
// of cards at printer resolution and its shadow copy fit with room to spare.
constexpr std::uint64_t kPictureBudgetBytes = 512ull << 20;
// One picture: a 600 dpi A4 colour scan (about 100 MB) fits; a picture of
// 10000 x 10000 pixels (286 MB) does not.
constexpr std::uint64_t kPictureLimitBytes = 160ull << 20;

// Thrown where a picture would exceed the budget; it has been reported.
class PictureRefused : public std::length_error {
 public:
  using std::length_error::length_error;
};

// Bytes of the budget held by one picture, given back when it goes. A
// copy holds its own bytes.
class PictureLease {
 public:
  PictureLease() = default;
  // Throws PictureRefused when the budget cannot hold `bytes`; `width` and
  // `height` only describe the picture in the report.
  PictureLease(std::uint64_t bytes, int width, int height);
  ~PictureLease() { Release(); }
  PictureLease(const PictureLease& other);
  PictureLease& operator=(const PictureLease& other);
  PictureLease(PictureLease&& other) noexcept
      : bytes_(other.bytes_), width_(other.width_), height_(other.height_) {
    other.bytes_ = 0;
  }
  PictureLease& operator=(PictureLease&& other) noexcept;

  std::uint64_t Bytes() const { return bytes_; }

 private:
  void Release() noexcept;
  std::uint64_t bytes_ = 0;
  int width_ = 0, height_ = 0;
};

// Bytes a 24-bit picture of this size takes, rows padded to 4 bytes.
std::uint64_t Picture24Bytes(std::int64_t width, std::int64_t height);
// Whether a picture of `bytes` would be granted now (nothing is reserved).
bool PictureFits(std::uint64_t bytes);
// Decoders ask before they allocate anything: whether a picture of this
// size could be held as 24 bits, as every picture is on its way to a card.
// A refusal is reported.
bool AdmitPicture(std::int64_t width, std::int64_t height);
std::uint64_t PictureBytesInUse();

// Where refusals are told (the library's log); unset, they are not told.
void SetPictureBudgetReport(std::function<void(const std::string&)> report);

// Names what is being loaded or drawn while it lives (a file, a layout
// record), so that a refusal says which picture it was. A quiet subject
// (a second drawing of what was already told) makes refusals inside it,
// nested subjects included, go untold.
class PictureBudgetSubject {
 public:
  explicit PictureBudgetSubject(std::string subject, bool quiet = false);
  ~PictureBudgetSubject();
  PictureBudgetSubject(const PictureBudgetSubject&) = delete;
  PictureBudgetSubject& operator=(const PictureBudgetSubject&) = delete;

 private:
  std::string previous_;
  bool previousQuiet_;
};

// Tests: smaller limits for the life of the object.
class ScopedPictureBudget {
 public:
  ScopedPictureBudget(std::uint64_t total, std::uint64_t perPicture);
  ~ScopedPictureBudget();
  ScopedPictureBudget(const ScopedPictureBudget&) = delete;
  ScopedPictureBudget& operator=(const ScopedPictureBudget&) = delete;

 private:
  std::uint64_t total_, perPicture_;
};

}  // namespace vemra
