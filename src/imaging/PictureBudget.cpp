#include "imaging/PictureBudget.h"

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <utility>

#include "base/Cp1252.h"

namespace vemra {
namespace {

struct Budget {
  std::mutex lock;
  std::uint64_t total = kPictureBudgetBytes;
  std::uint64_t perPicture = kPictureLimitBytes;
  std::uint64_t inUse = 0;
  std::string subject;
  bool quiet = false;
  std::function<void(const std::string&)> report;
};

Budget& TheBudget() {
  static Budget budget;
  return budget;
}

std::string Megabytes(std::uint64_t bytes) { return std::to_string((bytes + (1 << 20) - 1) >> 20) + " MB"; }

// Told outside the lock: the report writes a file and may itself allocate.
void Report(std::uint64_t bytes, int width, int height, std::uint64_t total,
            std::uint64_t perPicture, std::uint64_t inUse, const std::string& subject) {
  std::function<void(const std::string&)> report;
  {
    std::lock_guard<std::mutex> hold(TheBudget().lock);
    report = TheBudget().report;
  }
  if (!report) return;
  std::string line = subject.empty() ? std::string() : subject + ": ";
  line += Ansi("bilden ") + std::to_string(width) + " x " + std::to_string(height) +
          " punkter (" + Megabytes(bytes) + Ansi(") ryms inte i bildminnet (högst ") +
          Megabytes(perPicture) + " per bild, " + Megabytes(total) + " sammanlagt, " +
          Megabytes(inUse) + Ansi(" upptaget) och hoppas över");
  try {
    report(line);
  } catch (...) {
    // The refusal itself still stands.
  }
}

bool Fits(const Budget& b, std::uint64_t bytes) {
  return bytes <= b.perPicture && bytes <= b.total - std::min(b.inUse, b.total);
}

// Reserves `bytes` when `reserve`, else only looks; a refusal is told.
bool Admit(std::uint64_t bytes, int width, int height, bool reserve) {
  Budget& b = TheBudget();
  std::uint64_t total, perPicture, inUse;
  std::string subject;
  {
    std::lock_guard<std::mutex> hold(b.lock);
    if (Fits(b, bytes)) {
      if (reserve) b.inUse += bytes;
      return true;
    }
    if (b.quiet) return false;
    total = b.total, perPicture = b.perPicture, inUse = b.inUse, subject = b.subject;
  }
  Report(bytes, width, height, total, perPicture, inUse, subject);
  return false;
}

}  // namespace

PictureLease::PictureLease(std::uint64_t bytes, int width, int height) {
  if (bytes == 0) return;
  if (!Admit(bytes, width, height, true))
    throw PictureRefused("picture of " + std::to_string(width) + " x " + std::to_string(height) +
                         " pixels exceeds the picture memory budget");
  bytes_ = bytes, width_ = width, height_ = height;
}

PictureLease::PictureLease(const PictureLease& other)
    : PictureLease(other.bytes_, other.width_, other.height_) {}

PictureLease& PictureLease::operator=(const PictureLease& other) {
  if (this != &other) {
    PictureLease copy(other);
    *this = std::move(copy);
  }
  return *this;
}

PictureLease& PictureLease::operator=(PictureLease&& other) noexcept {
  if (this != &other) {
    Release();
    bytes_ = std::exchange(other.bytes_, 0);
    width_ = other.width_, height_ = other.height_;
  }
  return *this;
}

void PictureLease::Release() noexcept {
  if (bytes_ == 0) return;
  Budget& b = TheBudget();
  std::lock_guard<std::mutex> hold(b.lock);
  b.inUse -= std::min(b.inUse, bytes_);
  bytes_ = 0;
}

std::uint64_t Picture24Bytes(std::int64_t width, std::int64_t height) {
  if (width <= 0 || height <= 0) return 0;
  return std::uint64_t((width * 3 + 3) / 4 * 4) * std::uint64_t(height);
}

bool PictureFits(std::uint64_t bytes) {
  Budget& b = TheBudget();
  std::lock_guard<std::mutex> hold(b.lock);
  return Fits(b, bytes);
}

bool AdmitPicture(std::int64_t width, std::int64_t height) {
  const auto clamp = [](std::int64_t v) { return int(std::min<std::int64_t>(v, INT32_MAX)); };
  return Admit(Picture24Bytes(width, height), clamp(width), clamp(height), false);
}

std::uint64_t PictureBytesInUse() {
  Budget& b = TheBudget();
  std::lock_guard<std::mutex> hold(b.lock);
  return b.inUse;
}

void SetPictureBudgetReport(std::function<void(const std::string&)> report) {
  Budget& b = TheBudget();
  std::lock_guard<std::mutex> hold(b.lock);
  b.report = std::move(report);
}

PictureBudgetSubject::PictureBudgetSubject(std::string subject, bool quiet) {
  Budget& b = TheBudget();
  std::lock_guard<std::mutex> hold(b.lock);
  previous_ = std::exchange(b.subject, std::move(subject));
  previousQuiet_ = std::exchange(b.quiet, b.quiet || quiet);
}

PictureBudgetSubject::~PictureBudgetSubject() {
  Budget& b = TheBudget();
  std::lock_guard<std::mutex> hold(b.lock);
  b.subject = std::move(previous_);
  b.quiet = previousQuiet_;
}

ScopedPictureBudget::ScopedPictureBudget(std::uint64_t total, std::uint64_t perPicture) {
  Budget& b = TheBudget();
  std::lock_guard<std::mutex> hold(b.lock);
  total_ = std::exchange(b.total, total);
  perPicture_ = std::exchange(b.perPicture, perPicture);
}

ScopedPictureBudget::~ScopedPictureBudget() {
  Budget& b = TheBudget();
  std::lock_guard<std::mutex> hold(b.lock);
  b.total = total_;
  b.perPicture = perPicture_;
}

}  // namespace vemra
