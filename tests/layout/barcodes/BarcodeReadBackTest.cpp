#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "layout/barcodes/BarcodeRaster.h"
#include "layout/barcodes/Code128.h"
#include "layout/barcodes/Code39.h"
#include "base/Text.h"
#include "layout/barcodes/Interleaved2of5.h"

namespace vemra {
namespace {

// Every encoder's output is read back by an independent decoder, which
// checks the pattern tables, the check symbol and the set switches at once.
class BarcodeReadBack : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test::HaveZbarimg()) GTEST_SKIP() << "zbarimg not installed";
  }
  std::string Decode(const BarElements& elements, int scale) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    auto path = std::filesystem::temp_directory_path() /
                (std::string("vemra-") + info->name() + "-" + std::to_string(++count_) + ".pgm");
    test::WriteBarcodePgm(path.string(), elements, scale);
    auto text = test::DecodeWithZbar(path.string());
    std::filesystem::remove(path);
    return text.value_or("<nothing decoded>");
  }
  int count_ = 0;
};

TEST_F(BarcodeReadBack, Code39) {
  for (std::string text : {"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%", "ab-12"})
    EXPECT_EQ(Decode(EncodeCode39(text), 2), UpperAscii(text));
}

TEST_F(BarcodeReadBack, Interleaved2of5) {
  EXPECT_EQ(Decode(EncodeInterleaved2of5("1234567890"), 2), "1234567890");
  EXPECT_EQ(Decode(EncodeInterleaved2of5("12-345"), 2), "012345");
}

TEST_F(BarcodeReadBack, Code128InEverySet) {
  std::string allOfB;
  for (int c = 32; c < 127; ++c) allOfB += static_cast<char>(c);
  for (std::string text : {std::string("12345"), std::string("1234AB"), std::string("A1234B"),
                           allOfB, std::string("a\tb\x01") + "c", std::string("\tA\x1b" "b")})
    EXPECT_EQ(Decode(EncodeCode128(text, false), 3), text);
}

TEST_F(BarcodeReadBack, Ean128DropsTheLeadingFnc1) {
  // zbarimg reports a GS1-128 symbol's data without the FNC1.
  EXPECT_EQ(Decode(EncodeCode128("0012", true), 3), "0012");
  EXPECT_EQ(Decode(EncodeCode128("0112345678901231", true), 3), "0112345678901231");
}

}  // namespace
}  // namespace vemra
