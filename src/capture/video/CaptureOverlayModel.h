#pragma once
// The tint laid over live DirectShow video outside the capture frame, and
// the settings dialog that changes its colour and opacity.
#include <array>
#include <cstdint>
#include <string>

#include "capture/framing/FramingGeometry.h"

namespace vemra {

struct Rgb {
  std::uint8_t red = 0, green = 0, blue = 0;
  bool operator==(const Rgb&) const = default;
};

struct OverlayLook {
  Rgb colour{128, 128, 128};
  int alpha = 127;  // 0 transparent .. 255 opaque
  bool operator==(const OverlayLook&) const = default;
};

struct NamedColour {
  const char* name;  // UTF-8
  Rgb colour;
};
inline constexpr std::array<NamedColour, 16> kOverlayColours{{
    {"Svart", {0, 0, 0}},         {"Rödgul", {128, 0, 0}},     {"Grön", {0, 128, 0}},
    {"Olivgrön", {128, 128, 0}},  {"Marinblå", {0, 0, 128}},   {"Lila", {128, 0, 128}},
    {"Blågrön", {0, 128, 128}},   {"Grå", {128, 128, 128}},    {"Ljusgrå", {192, 192, 192}},
    {"Röd", {255, 0, 0}},         {"Gröngul", {0, 255, 0}},    {"Gul", {255, 255, 0}},
    {"Blå", {0, 0, 255}},         {"Magenta", {255, 0, 255}},  {"Turkos", {0, 255, 255}},
    {"Vit", {255, 255, 255}},
}};
inline constexpr char kNoColourItem[] = "(Ingen)";
inline constexpr char kChooseColourItem[] = "Välj...";
inline constexpr int kFirstNamedColourItem = 1;
inline constexpr int kChooseColourIndex = kFirstNamedColourItem + int(kOverlayColours.size());
inline constexpr int kColourItemCount = kChooseColourIndex + 1;

// The combo's item texts, in order.
std::string ColourItemText(int index);
enum class ColourItemKind { kNone, kNamed, kChoose };
ColourItemKind KindOfColourItem(const std::string& text);

// Six upper-case hexadecimal digits, red first.
std::string HexText(Rgb colour);
Rgb ParseHex(const std::string& text);  // malformed: black

// Track bar position 0..100 and alpha 0..255, both ways.
int AlphaForOpacity(int percent);
int OpacityForAlpha(int alpha);
std::string OpacityLabel(int percent);  // "Opacitet: 50%"

// The frame's rectangle centred in the video window: the part left clear.
ScreenRect OverlayClearRect(ScreenSize videoWindow, ScreenSize frame);

// The settings dialog: it changes the overlay at once; Cancel gives back
// the look it opened with.
class OverlaySettingsModel {
 public:
  explicit OverlaySettingsModel(OverlayLook start);

  int SelectedItem() const { return selected_; }
  int OpacityPosition() const { return position_; }
  std::string Label() const { return OpacityLabel(position_); }
  // The colour the "Välj..." item stands for (the combo's hint).
  const std::string& ChosenHex() const { return chosenHex_; }

  enum class Pick { kUnchanged, kApplied, kAskColour };
  Pick PickItem(int index);
  void ColourChosen(Rgb colour);
  void MoveTrackBar(int percent);

  const OverlayLook& Look() const { return look_; }
  const OverlayLook& Original() const { return original_; }

 private:
  OverlayLook original_, look_;
  int selected_ = 0, position_ = 0;
  std::string chosenHex_ = "000000";
};

}  // namespace vemra
