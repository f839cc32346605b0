#pragma once
// Texts the capture dialog shows, in UTF-8.

namespace vemra::capture_texts {

inline constexpr char kDefaultCaption[] = "Hämta bild";
inline constexpr char kWrongFormat[] = "Fel filformat";
inline constexpr char kJpegFailed[] = "Kunde inte öppna JPEG";
inline constexpr char kBitmapFailed[] = "Kunde inte öppna Bitmap";
inline constexpr char kPictureTooLarge[] =
    "Bilden är för stor för datorns minne. Den tidigare bilden finns kvar.";
inline constexpr char kSaveFailed[] = "Kunde inte spara bilden i ";
inline constexpr char kCaptureFailed[] = "Det gick inte att hämta bilden.";
inline constexpr char kToolFailed[] = "Det gick inte att utföra åtgärden. Bilden är oförändrad.";
inline constexpr char kNoVideoCamera[] =
    "Ingen videokamera hittades. Anslut en kamera och försök igen.";
inline constexpr char kOpenFileCaption[] = "Öppna fil";
inline constexpr char kOpenPictureFilter[] =
    "All (*.jpg;*.jpeg;*.bmp)|*.jpg;*.jpeg;*.bmp|JPEG Image File (*.jpg)|*.jpg|"
    "JPEG Image File (*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp";

}  // namespace vemra::capture_texts
