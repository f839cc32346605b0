#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "imaging/LynImageEx.h"
#include "imaging/win32/LynImageExWin32.h"
#include "imaging/win32/MessageBoxes.h"
#include "imaging/win32/StatusWindow.h"

namespace vemra {
namespace {

std::string TempFolder() {
  char buffer[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, buffer);
  return buffer;
}

// A 2 x 1 inch EMF: white page, red rectangle over its left half.
std::string WriteEmf(const std::string& name) {
  HDC screen = GetDC(nullptr);
  RECT frame{0, 0, 5080, 2540};  // hundredths of a millimetre
  HDC dc = CreateEnhMetaFileW(screen, nullptr, &frame, nullptr);
  ReleaseDC(nullptr, screen);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  RECT left{0, 0, dpi, dpi};
  FillRect(dc, &left, red);
  DeleteObject(red);
  HENHMETAFILE emf = CloseEnhMetaFile(dc);
  std::vector<BYTE> bytes(GetEnhMetaFileBits(emf, 0, nullptr));
  GetEnhMetaFileBits(emf, UINT(bytes.size()), bytes.data());
  DeleteEnhMetaFile(emf);
  const std::string path = TempFolder() + name;
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return path;
}

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi;
}

ColourValue PixelAt(const Bitmap& b, int x, int y) {
  const std::uint8_t* p = b.Row(y) + 3 * x;
  return MakeColour(p[2], p[1], p[0]);
}

TEST(Metafiles, LoadAs24BitBitmapsAtTheirOwnSize) {
  const std::string path = WriteEmf("vemra-card.emf");
  Bitmap bitmap(1, 1, PixelFormat::pf8bit);
  ASSERT_TRUE(LoadPictureToBitmap(path, bitmap));
  EXPECT_EQ(bitmap.Format(), PixelFormat::pf24bit);
  EXPECT_NEAR(bitmap.Width(), 2 * ScreenDpi(), 2);
  EXPECT_NEAR(bitmap.Height(), ScreenDpi(), 2);
  EXPECT_EQ(PixelAt(bitmap, bitmap.Width() / 4, bitmap.Height() / 2), MakeColour(255, 0, 0));
  EXPECT_EQ(PixelAt(bitmap, bitmap.Width() * 3 / 4, bitmap.Height() / 2), 0xFFFFFFu);
}

TEST(Metafiles, KeepVectorHoldsTheMetafile) {
  Picture holder;
  ASSERT_TRUE(LoadPictureKeepVector(holder, WriteEmf("vemra-vector.EMF")));
  ASSERT_NE(holder.AsMetafile(), nullptr);
  EXPECT_TRUE(holder.AsMetafile()->enhanced);
  EXPECT_NEAR(holder.AsMetafile()->widthPixels, 2 * ScreenDpi(), 2);
  RotateImageQuarter(90, holder);
  ASSERT_NE(holder.AsBitmap(), nullptr);
  EXPECT_NEAR(holder.AsBitmap()->Width(), ScreenDpi(), 2);
  EXPECT_NEAR(holder.AsBitmap()->Height(), 2 * ScreenDpi(), 2);
}

TEST(Metafiles, DamagedMetafileReachesTheCaller) {
  const std::string path = TempFolder() + "vemra-damaged.wmf";
  std::ofstream(path, std::ios::binary) << "not a metafile at all";
  Picture holder;
  EXPECT_THROW(LoadPictureKeepVector(holder, path), std::runtime_error);
  Bitmap bitmap;
  EXPECT_FALSE(LoadPictureToBitmap(path, bitmap));
  EXPECT_FALSE(LoadPictureKeepVector(holder, TempFolder() + "vemra-missing.emf"));
}

TEST(StretchPictureToSize, UsesControlSizeAndBottomLeftKey) {
  Picture holder;
  ASSERT_TRUE(LoadPictureKeepVector(holder, WriteEmf("vemra-stretch.emf")));
  StretchPictureToSize(0, 30, holder, 80, 999);
  ASSERT_NE(holder.AsBitmap(), nullptr);
  EXPECT_EQ(holder.AsBitmap()->Width(), 80);
  EXPECT_EQ(holder.AsBitmap()->Height(), 30);
  EXPECT_TRUE(holder.AsBitmap()->transparent);
  EXPECT_EQ(holder.AsBitmap()->transparentColour, MakeColour(255, 0, 0));
}

TEST(Screen, ColourCountAndPalette) {
  // The screen's bits wrap modulo 32: a 32-bit screen counts 1 colour, so
  // the capture dialog does not take it for a palette screen.
  HDC screen = GetDC(nullptr);
  const int bits = GetDeviceCaps(screen, PLANES) * GetDeviceCaps(screen, BITSPIXEL);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(DisplayColourCount(), bits % 32 == 0 ? 1 : 1 << (bits % 32));
  // The palette attached, the pixels kept.
  Picture holder;
  Bitmap b(4, 4);
  b.Row(1)[3] = 0x12, b.Row(1)[4] = 0x34, b.Row(1)[5] = 0x56;
  holder.SetBitmap(b);
  OptimisePalette(holder);
  ASSERT_NE(holder.AsBitmap(), nullptr);
  EXPECT_EQ(holder.AsBitmap()->Palette().size(), 256u);
  EXPECT_EQ(holder.AsBitmap()->Format(), PixelFormat::pf24bit);
  EXPECT_EQ(holder.AsBitmap()->Row(1)[4], 0x34);
}

TEST(StatusWindow, ShowsTheTextAndHides) {
  ShowStatus("Öppnar DS-källa...", true);
  HWND window = FindWindowW(L"TdlgDispStatus", nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window, StatusWindowHandle());
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
  wchar_t text[64] = {};
  GetDlgItemTextW(window, 100, text, 64);
  EXPECT_STREQ(text, L"\u00d6ppnar DS-k\u00e4lla...");
  ShowStatus("Skannar...", false);
  EXPECT_EQ(FindWindowW(L"TdlgDispStatus", nullptr), window);  // reused
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 392);
  HideStatus();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(StatusWindowHandle(), nullptr);
  HideStatus();
}

std::wstring seenText;
void CALLBACK AnswerBox(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = FindWindowW(L"#32770", L"VemraSDK");
  if (!box) return;
  wchar_t text[128] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 128);
  seenText = text;
  KillTimer(nullptr, timer);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST(MessageBoxes, InfoMessageUsesTheApplicationTitle) {
  SetTimer(nullptr, 0, 20, AnswerBox);
  EXPECT_EQ(ShowInfoMessage("Bilden är sparad"), IDOK);
  EXPECT_EQ(seenText, L"Bilden \u00e4r sparad");
}

}  // namespace
}  // namespace vemra
