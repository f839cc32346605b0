// Pictures of layout records: fixed pictures (files or embedded), the
// holder's photo and signature, data pictures, and how they are turned,
// fitted and sent to the output.
#include "layout/render/RenderPictures.h"

#include <algorithm>
#include <climits>
#include <exception>
#include <optional>

#include "base/Text.h"
#include "imaging/LynImageEx.h"
#include "imaging/PictureFileIo.h"
#include "imaging/Resample.h"
#include "imaging/Rotate.h"
#include "layout/render/LayoutRenderer.h"
#include "layout/fields/LayoutValues.h"
#include "layout/render/PictureEffects.h"
#include "layout/fields/ObjectTexts.h"
#include "layout/file/PicturePaths.h"
#include "layout/render/PixelRounding.h"
#include "layout/printing/RasterPrinter.h"

namespace vemra {
namespace {

// Nearest-pixel stretch: keeps a transparent picture's key colour exact,
// which a filtered resampling would blur into its neighbours.
Bitmap StretchNearest(const Bitmap& source, int width, int height) {
  Bitmap in = source;
  in.SetPixelFormat(PixelFormat::pf24bit);
  Bitmap out(width, height);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = in.Row(int((long long)y * in.Height() / height));
    std::uint8_t* target = out.Row(y);
    for (int x = 0; x < width; ++x) {
      const std::uint8_t* p = row + 3 * ((long long)x * in.Width() / width);
      target[3 * x] = p[0];
      target[3 * x + 1] = p[1];
      target[3 * x + 2] = p[2];
    }
  }
  out.transparent = source.transparent;
  out.transparentColour = source.transparentColour;
  return out;
}

// The holder's picture as a 24-bit bitmap; nullopt for a metafile this
// platform cannot draw.
std::optional<Bitmap> AsBitmap(const Picture& picture) {
  if (const Bitmap* bitmap = picture.AsBitmap()) return *bitmap;
  Bitmap drawn;
  if (MetafileToBitmap(picture.AsMetafile(), drawn)) return drawn;
  return std::nullopt;
}

// Portable stand-ins for the platform's picture hooks.
bool IsMetafileName(std::string_view name) {
  const std::string lower = LowerAscii(std::string(name));
  return lower.ends_with(".wmf") || lower.ends_with(".emf");
}

void PortableStretchToSize(int width, int height, Picture& holder) {
  if (width <= 0 || height <= 0) return;
  std::optional<Bitmap> bitmap = AsBitmap(holder);
  if (!bitmap || bitmap->Empty()) return;
  Bitmap out = StretchNearest(*bitmap, width, height);
  const std::uint8_t* corner = out.Row(height - 1);
  out.transparentColour = MakeColour(corner[2], corner[1], corner[0]);
  out.transparent = true;
  holder.SetBitmap(std::move(out));
}

void PortableRotate(int angle, Picture& holder) {
  std::optional<Bitmap> bitmap = AsBitmap(holder);
  if (!bitmap || bitmap->Empty()) return;
  RotateBitmapQuarter(angle, *bitmap);
  holder.SetBitmap(std::move(*bitmap));
}

Bitmap PortableStretchToBitmap(const Picture& picture, int width, int height) {
  std::optional<Bitmap> bitmap = AsBitmap(picture);
  if (!bitmap || bitmap->Empty() || width <= 0 || height <= 0) return Bitmap();
  return StretchNearest(*bitmap, width, height);
}

bool LoadPicture(const RenderEnvironment& env, Picture& holder, const std::string& path,
                 bool keepVector, const DrawSize& box) {
  const auto& hook = keepVector ? env.loadPictureKeepVector : env.loadPictureToImage;
  if (hook) return hook(holder, path, box);
  return LoadPictureToImage(holder, path, box);
}

// The turn a picture gets: the record's own angle plus the card's, back by
// one turn only (720 draws unturned). The sum is wide so that no layout
// number can overflow it.
int PictureAngle(std::string_view record, int cardAngle) {
  long long wide = (long long)ParseLayoutIntegerOr(GetLayoutValue("ang", record), 0) + cardAngle;
  if (wide > 270) wide -= 360;
  return int(std::clamp<long long>(wide, INT_MIN, INT_MAX));
}

bool KeepsAspect(std::string_view record) {
  return GetLayoutValue("typ", record) != "fim" || GetLayoutValue("rat", record) != "0";
}

// A bitmap more than this many times its drawn size along a side is
// shrunk before it reaches the device.
constexpr int kMaxOversize = 2;

// Shrinks a bitmap far larger than `target` to the target's size, so that
// no device is sent a picture many times larger than its box.
void ShrinkToBox(Picture& holder, const PixelRect& target) {
  const Bitmap* bitmap = holder.AsBitmap();
  const int w = target.Width(), h = target.Height();
  if (!bitmap || bitmap->Empty() || w <= 0 || h <= 0) return;
  if (bitmap->Width() <= kMaxOversize * std::int64_t(w) &&
      bitmap->Height() <= kMaxOversize * std::int64_t(h))
    return;
  if (bitmap->transparent) {
    holder.SetBitmap(StretchNearest(*bitmap, w, h));  // keeps the key colour exact
    return;
  }
  Bitmap shrunk(w, h);
  ResampleBitmap(*bitmap, shrunk, kFilterTriangle);
  holder.SetBitmap(std::move(shrunk));
}

}  // namespace

PixelRect FitPicture(int pictureWidth, int pictureHeight, const PixelRect& box,
                     std::string_view position) {
  int x = box.left, y = box.top, w = box.Width(), h = box.Height();
  if (pictureWidth <= 0 || pictureHeight <= 0 || w <= 0 || h <= 0) return box;
  const std::string pos = LowerAscii(position);
  // pw / w against ph / h, without dividing.
  const long long wide = (long long)pictureWidth * h, tall = (long long)pictureHeight * w;
  if (wide > tall) {
    const int fitted = RoundHalfEven(double(pictureHeight) / pictureWidth * w);
    if (pos == "lowerleft" || pos == "lowerright") y += h - fitted;
    else if (pos == "center") y += RoundHalfEven((h - fitted) / 2.0);
    h = fitted;
  } else if (wide < tall) {
    const int fitted = RoundHalfEven(double(pictureWidth) / pictureHeight * h);
    if (pos == "upperright" || pos == "lowerright") x += w - fitted;
    else if (pos == "center") x += RoundHalfEven((w - fitted) / 2.0);
    w = fitted;
  }
  return {x, y, x + w, y + h};
}

void StretchPictureInto(const PixelRect& box, bool keepAspect, std::string_view position,
                        Canvas& canvas, const Picture& picture) {
  const Bitmap* bitmap = picture.AsBitmap();
  const Metafile* metafile = picture.AsMetafile();
  if (!bitmap && !metafile) return;
  const int pw = bitmap ? bitmap->Width() : metafile->widthPixels;
  const int ph = bitmap ? bitmap->Height() : metafile->heightPixels;
  const PixelRect target = keepAspect ? FitPicture(pw, ph, box, position) : box;
  try {
    if (bitmap) canvas.StretchDraw(target, *bitmap);
    else canvas.StretchDraw(target, *metafile);
  } catch (const std::exception&) {
    // A picture the device refuses leaves its box empty; the card prints.
  }
}

bool TransferPictureBits(Canvas& device, const PixelRect& box, bool keepAspect,
                         std::string_view position, const Picture& picture) {
  const Bitmap* bitmap = picture.AsBitmap();
  if (!bitmap || bitmap->Empty()) return false;
  const PixelRect target =
      keepAspect ? FitPicture(bitmap->Width(), bitmap->Height(), box, position) : box;
  try {
    return device.TransferBits(target, *bitmap, bitmap->transparent);
  } catch (const std::exception&) {
    return false;
  }
}

Picture ClonePicture(const Picture& picture) {
  Picture copy;
  if (const Bitmap* bitmap = picture.AsBitmap()) copy.SetBitmap(*bitmap);
  else if (const Metafile* metafile = picture.AsMetafile()) copy.SetMetafile(*metafile);
  return copy;
}

// The box the loaded picture will cover: turned across with the picture,
// and filled whole when effects stretch it over the box.
DrawSize LayoutRenderer::PictureDrawSize(const RecordDraw& draw) const {
  const int angle = PictureAngle(draw.record, draw.cardAngle);
  const bool across = angle == 90 || angle == 270;
  return {across ? draw.height : draw.width, across ? draw.width : draw.height,
          KeepsAspect(draw.record) && !NeedsImageEffects(draw.record)};
}

void LayoutRenderer::DrawFixedImage(const RecordDraw& draw) {
  const std::string name = GetLayoutValue("dat", draw.record);
  Picture holder;
  if (FindEmbeddedPicture(env_.store, name)) {
    if (!LoadEmbeddedPicture(env_.store, holder, name, env_.metafileFallback,
                             PictureDrawSize(draw))) {
      // Told once, on the output; the shadow pass stays silent.
      if (&draw.canvas == output_ && env_.reportError) env_.reportError("Failed to open " + name);
      return;
    }
  } else {
    LoadPicture(env_, holder, name, false, PictureDrawSize(draw));
  }
  DrawPicture(draw, name, holder);
}

void LayoutRenderer::DrawPhoto(const RecordDraw& draw) {
  const std::string kind = GetLayoutValue("knd", draw.record);
  if (kind == "11") return;
  if (kind == "DB") {
    if (env_.processMessages) env_.processMessages();
    const std::string name =
        DataPictureName(GetLayoutValue("dat", draw.record), env_.fields, env_.formats);
    const std::optional<std::string> file = FindPictureFile(name, env_.hostFolder, env_.files);
    if (!file) return;
    Picture holder;
    try {
      if (!LoadPicture(env_, holder, *file, true, PictureDrawSize(draw))) return;
    } catch (const std::exception&) {
      return;  // a damaged picture file skips the object
    }
    DrawPicture(draw, *file, holder);
    return;
  }
  const Picture* source = kind == "41" ? env_.signature : env_.photo;
  if (!source || source->Empty()) return;
  Picture holder = ClonePicture(*source);
  DrawPicture(draw, std::string(), holder);
}

void LayoutRenderer::DrawPicture(const RecordDraw& draw, const std::string& name,
                                 Picture& holder) {
  if (holder.Empty()) return;
  const std::string_view record = draw.record;
  // The name decides, not the holder: a metafile from disk arrives already
  // drawn into a bitmap and still needs its box-sized, transparent stretch.
  const bool metafile = IsMetafileName(
      name.empty() ? ResolveLayoutPath(GetLayoutValue("dat", record), env_.hostFolder) : name);
  const int angle = PictureAngle(record, draw.cardAngle);
  const bool keepAspect = KeepsAspect(record);
  const PixelRect box{draw.left, draw.top, draw.left + draw.width, draw.top + draw.height};

  const auto stretchToSize = [&](int w, int h) {
    if (env_.stretchPictureToSize) env_.stretchPictureToSize(w, h, holder);
    else PortableStretchToSize(w, h, holder);
  };
  if (angle != 0) {
    if (metafile) {
      const bool across = angle == 90 || angle == 270;
      stretchToSize(across ? draw.height : draw.width, across ? draw.width : draw.height);
    }
    if (angle == 90 || angle == 180 || angle == 270) {
      if (env_.rotateImageQuarter) env_.rotateImageQuarter(angle, holder);
      else PortableRotate(angle, holder);
    }
  } else if (metafile && NeedsImageEffects(record)) {
    stretchToSize(draw.width, draw.height);
  }

  std::string position;
  if (Bitmap* bitmap = holder.AsBitmap()) {
    bitmap->SetPixelFormat(PixelFormat::pf24bit);
    Canvas& background = shadow_ ? static_cast<Canvas&>(*shadow_) : draw.canvas;
    const auto stretch = env_.stretchToBitmap
                             ? env_.stretchToBitmap
                             : std::function<Bitmap(const Picture&, int, int)>(
                                   PortableStretchToBitmap);
    ApplyImageEffects(box, background, holder, record, alpha_, stretch);
    position = GetLayoutValue("pos", record);
  }
  if (holder.Empty()) return;
  if (const Bitmap* bitmap = holder.AsBitmap()) {
    const int width = bitmap->Width(), height = bitmap->Height();
    ShrinkToBox(holder, keepAspect ? FitPicture(width, height, box, position) : box);
    const Bitmap* drawn = holder.AsBitmap();
    if (env_.shrinkingPicture && (drawn->Width() != width || drawn->Height() != height))
      env_.shrinkingPicture(width, height);
  }

  // Raster printers get bitmaps as device-independent bits; the shadow
  // picture, a bitmap of our own, always takes them stretched.
  if (kind_ == OutputKind::Printer && &draw.canvas == output_ && holder.AsBitmap() &&
      IsRasterPrinter(draw.canvas, env_.printerName)) {
    TransferPictureBits(draw.canvas, box, keepAspect, position, holder);
    return;
  }
  StretchPictureInto(box, keepAspect, position, draw.canvas, holder);
}

}  // namespace vemra
