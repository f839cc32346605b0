// The only file that talks to libjpeg. libjpeg reports errors through
// error_exit, which by default ends the process; ours jumps back into the
// function that started the call. Each jumping function holds only plain
// data, so no destructor is skipped by the jump.
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <jpeglib.h>
#include <jerror.h>

#include "imaging/PictureBudget.h"
#include "imaging/PictureCodecs.h"
#include "imaging/PictureLimits.h"

namespace vemra {
namespace {

// Hostile progressive files can hold thousands of tiny scans, each costing
// a pass over the whole picture; a real photo has at most a few dozen.
constexpr int kMaxScans = 500;
constexpr long kMaxWarnings = 100;

struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
};

[[noreturn]] void JumpBack(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

// Warnings are kept quiet; a truncated file counts as damaged rather than
// being padded with grey, and a flood of warnings ends the work early.
void EmitMessage(j_common_ptr cinfo, int level) {
  if (level >= 0) return;
  if (cinfo->err->msg_code == JWRN_JPEG_EOF || ++cinfo->err->num_warnings > kMaxWarnings)
    JumpBack(cinfo);
}

void LimitScans(j_common_ptr cinfo) {
  if (cinfo->is_decompressor &&
      reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans)
    JumpBack(cinfo);
}

void InstallErrorManager(j_common_ptr cinfo, ErrorManager& err) {
  cinfo->err = jpeg_std_error(&err.pub);
  err.pub.error_exit = JumpBack;
  err.pub.emit_message = EmitMessage;
}

bool CreateDecompress(jpeg_decompress_struct* cinfo, ErrorManager* err) {
  InstallErrorManager(reinterpret_cast<j_common_ptr>(cinfo), *err);
  if (setjmp(err->jump)) return false;
  jpeg_create_decompress(cinfo);
  return true;
}

bool ReadHeader(jpeg_decompress_struct* cinfo, ErrorManager* err, jpeg_progress_mgr* progress,
                const std::uint8_t* data, std::size_t size) {
  if (setjmp(err->jump)) return false;
  progress->progress_monitor = LimitScans;
  cinfo->progress = progress;
  jpeg_mem_src(cinfo, data, static_cast<unsigned long>(size));
  if (jpeg_read_header(cinfo, TRUE) != JPEG_HEADER_OK) return false;
  const bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
  cinfo->out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
  return true;
}

// Asks libjpeg for the picture at n/8 of its size; its own IDCT scaling
// does the work, so the full-size picture is never held.
bool ScaleOutput(jpeg_decompress_struct* cinfo, ErrorManager* err, int eighths) {
  if (setjmp(err->jump)) return false;
  cinfo->scale_num = unsigned(eighths);
  cinfo->scale_denom = 8;
  jpeg_calc_output_dimensions(cinfo);
  return true;
}

bool ReadPixels(jpeg_decompress_struct* cinfo, ErrorManager* err, std::uint8_t* first,
                std::ptrdiff_t stride) {
  if (setjmp(err->jump)) return false;
  jpeg_start_decompress(cinfo);
  while (cinfo->output_scanline < cinfo->output_height) {
    JSAMPROW row = first + std::ptrdiff_t(cinfo->output_scanline) * stride;
    jpeg_read_scanlines(cinfo, &row, 1);
  }
  jpeg_finish_decompress(cinfo);
  return true;
}

// Adobe writes CMYK inverted (0 is full ink); other writers do not.
void CmykToBgr(const Bitmap& cmyk, bool inverted, Bitmap& out) {
  for (int y = 0; y < cmyk.Height(); ++y) {
    const std::uint8_t* in = cmyk.Row(y);
    std::uint8_t* o = out.Row(y);
    for (int x = 0; x < cmyk.Width(); ++x, in += 4, o += 3) {
      int c = in[0], m = in[1], ye = in[2], k = in[3];
      if (!inverted) c = 255 - c, m = 255 - m, ye = 255 - ye, k = 255 - k;
      o[0] = std::uint8_t(ye * k / 255), o[1] = std::uint8_t(m * k / 255), o[2] = std::uint8_t(c * k / 255);
    }
  }
}

bool Decode(jpeg_decompress_struct* cinfo, ErrorManager* err, const std::uint8_t* data,
            std::size_t size, const DrawSize& box, Bitmap& out) {
  jpeg_progress_mgr progress{};
  if (!ReadHeader(cinfo, err, &progress, data, size)) return false;
  if (!PictureSizeAcceptable(cinfo->image_width, cinfo->image_height)) return false;
  const int eighths = JpegScaleEighths(int(cinfo->image_width), int(cinfo->image_height), box);
  if (!ScaleOutput(cinfo, err, eighths)) return false;
  const int width = int(cinfo->output_width), height = int(cinfo->output_height);
  if (!AdmitPicture(width, height)) return false;
  if (cinfo->out_color_space == JCS_EXT_BGR) {
    Bitmap picture(width, height);
    if (!ReadPixels(cinfo, err, picture.Row(0), picture.Stride())) return false;
    out = std::move(picture);
    return true;
  }
  Bitmap cmyk(width, height, PixelFormat::pf32bit);
  if (!ReadPixels(cinfo, err, cmyk.Row(0), cmyk.Stride())) return false;
  Bitmap picture(width, height);
  CmykToBgr(cmyk, cinfo->saw_Adobe_marker, picture);
  out = std::move(picture);
  return true;
}

bool CreateCompress(jpeg_compress_struct* cinfo, ErrorManager* err) {
  InstallErrorManager(reinterpret_cast<j_common_ptr>(cinfo), *err);
  if (setjmp(err->jump)) return false;
  jpeg_create_compress(cinfo);
  return true;
}

bool Compress(jpeg_compress_struct* cinfo, ErrorManager* err, const Bitmap* picture, int quality,
              unsigned char** buffer, unsigned long* length) {
  if (setjmp(err->jump)) return false;
  jpeg_mem_dest(cinfo, buffer, length);
  cinfo->image_width = JDIMENSION(picture->Width());
  cinfo->image_height = JDIMENSION(picture->Height());
  cinfo->input_components = 3;
  cinfo->in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(cinfo);
  jpeg_set_quality(cinfo, quality, TRUE);
  jpeg_start_compress(cinfo, TRUE);
  while (cinfo->next_scanline < cinfo->image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(picture->Row(int(cinfo->next_scanline)));
    jpeg_write_scanlines(cinfo, &row, 1);
  }
  jpeg_finish_compress(cinfo);
  return true;
}

}  // namespace

int JpegScaleEighths(int width, int height, const DrawSize& box) {
  if (width <= 0 || height <= 0 || box.width <= 0 || box.height <= 0) return 8;
  for (int n = 1; n < 8; ++n) {
    // n/8 of the picture against the box, without dividing.
    const bool wide = std::int64_t(width) * n >= std::int64_t(box.width) * 8;
    const bool tall = std::int64_t(height) * n >= std::int64_t(box.height) * 8;
    // A fitted picture fills the box along one side only.
    if (box.keepAspect ? wide || tall : wide && tall) return n;
  }
  return 8;
}

bool DecodeJpeg(const std::uint8_t* data, std::size_t size, Bitmap& out, const DrawSize& box) {
  if (!data || size == 0) return false;
  jpeg_decompress_struct cinfo{};
  ErrorManager err{};
  if (!CreateDecompress(&cinfo, &err)) return false;
  bool ok = false;
  try {
    ok = Decode(&cinfo, &err, data, size, box, out);
  } catch (const std::exception&) {
    ok = false;
  }
  jpeg_destroy_decompress(&cinfo);
  return ok;
}

bool EncodeJpeg(const Bitmap& picture, int quality, std::vector<std::uint8_t>& out) {
  if (picture.Empty()) return false;
  try {
    Bitmap converted;
    const Bitmap* source = &As24Bit(picture, converted);
    jpeg_compress_struct cinfo{};
    ErrorManager err{};
    if (!CreateCompress(&cinfo, &err)) return false;
    unsigned char* buffer = nullptr;
    unsigned long length = 0;
    const int q = quality < 1 ? 1 : quality > 100 ? 100 : quality;
    const bool ok = Compress(&cinfo, &err, source, q, &buffer, &length);
    jpeg_destroy_compress(&cinfo);
    const std::unique_ptr<unsigned char, void (*)(void*)> owned(buffer, std::free);
    if (ok) out.assign(buffer, buffer + length);
    return ok;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace vemra
