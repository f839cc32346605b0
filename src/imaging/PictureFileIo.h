#pragma once
// The file operations the picture module needs, bound per platform: the
// Windows build uses the ANSI file functions, others std::filesystem.
#include <cstdint>
#include <string>
#include <vector>

#include "imaging/Picture.h"

namespace vemra {

// Larger files cannot hold a picture within the decoders' pixel limit.
constexpr std::uintmax_t kMaxPictureFileBytes = 512u << 20;

bool PictureFileExists(const std::string& path);
// The whole file, or false when it is missing, unreadable or too large.
bool ReadPictureFile(const std::string& path, std::vector<std::uint8_t>& bytes);
// Writes `bytes` to a temporary file beside `path`, then puts it in place.
// Throws std::runtime_error naming the path.
void WriteFileReplacing(const std::string& path, const std::vector<std::uint8_t>& bytes);

// Metafiles need the platform to be measured and drawn; elsewhere both fail.
bool ReadMetafile(const std::vector<std::uint8_t>& bytes, bool enhanced, Metafile& out);
bool MetafileToBitmap(const Metafile* graphic, Bitmap& bitmap);

}  // namespace vemra
