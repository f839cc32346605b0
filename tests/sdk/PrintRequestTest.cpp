#include <gtest/gtest.h>

#include "base/Cp1252.h"
#include "sdk/Fakes.h"
#include "sdk/PrintRequest.h"
#include "sdk/LibraryState.h"

namespace vemra::test {
namespace {

PermitTexts Permit(std::string number = "0180-123-45F", std::string date = "2026-03-05") {
  return {"123", "Andersson", "Anna", number, date, "c/o Berg", "Storgatan 1",
          "111 22 Stockholm", "08-123", Ansi("Örjan")};
}

// A data folder with both layouts and holder 123's pictures.
struct PrintEnvironment {
  PrintEnvironment() {
    platform.hostFolder = data.Windows();
    data.Write("VemraSDK.ini", "[Kommun]\r\nKod=0180\r\nNamn=Stockholm\r\n");
    data.Write("vemraeu.cpb", "layout");
    data.Write("ortex.cpb", "layout");
    data.Write("Image/123.jpg", "jpeg");
    data.Write("Image/s123.jpg", "jpeg");
    library.VmInit(data.Windows());
  }
  std::string Field(const std::string& name) { return FieldValue(library.Fields(), name); }

  TempFolder data;
  FakePlatform platform;
  Library library{platform.Services()};
};

class PrintRequestTest : public ::testing::Test, public PrintEnvironment {};

TEST(PrintRequest, ChecksRunInOrderAndTheFirstFailureAnswers) {
  struct Case { const char* name; int mode; PermitTexts texts; const char* remove; int code; } cases[] = {
      {"id", 0, {"", "", "", "", "", "", "", "", "", ""}, nullptr, 2},
      {"photo", 0, Permit(), "Image/123.jpg", 3},
      {"signature", 3, Permit(), "Image/s123.jpg", 4},
      {"older card needs no pictures", 1, Permit(), "Image/123.jpg", 0},
      {"surname", 0, {"123", "", "Anna", "x", "", "", "", "", "", ""}, nullptr, 5},
      {"first name", 0, {"123", "A", "", "", "", "", "", "", "", ""}, nullptr, 6},
      {"permit empty", 0, Permit(""), nullptr, 7},
      {"no dash", 0, Permit("018012345F"), nullptr, 7},
      {"date empty", 0, Permit("0180-123-45F", ""), nullptr, 8},
      {"date before layout", 0, Permit("0180-123-45F", "5 mars"), "vemraeu.cpb", 9},
      {"layout", 2, Permit(), "vemraeu.cpb", 10},
      {"six-digit running number", 0, Permit("0180-123456-45F"), nullptr, 7},
      {"wrong length", 0, Permit("0180-123-4F"), nullptr, 7},
      {"running number not digits", 0, Permit("0180-12a-45F"), nullptr, 7},
      {"id outside the store", 0, {"..\\123", "A", "B", "0180-123-45F", "2026-03-05", "", "", "", "", ""}, nullptr, 3},
  };
  for (const auto& c : cases) {
    PrintEnvironment fresh;
    if (c.remove) std::filesystem::remove(fresh.data.Path() + c.remove);
    EXPECT_EQ(fresh.library.VmPrint(c.mode, c.texts), c.code) << c.name;
  }
}

TEST_F(PrintRequestTest, PermitNumberIsNormalisedAndFieldsFollow) {
  ASSERT_EQ(library.VmPrint(0, Permit()), 0);
  EXPECT_EQ(Field("tillstnr"), "0180-00123-45K");
  EXPECT_EQ(Field("streckkod"), "018000123");
  EXPECT_EQ(Field(Ansi("löpnummer")), "00123");
  EXPECT_EQ(Field("birthyear"), "1945");
  EXPECT_EQ(Field(Ansi("län")), "80");
  EXPECT_EQ(Field("kommunid"), "01");
  EXPECT_EQ(Field("kon"), "K");
  EXPECT_EQ(Field("giltigttom"), "5-MAR-2026");
  EXPECT_EQ(Field("fnamnenamn"), "Anna Andersson");
  EXPECT_EQ(Field(Ansi("operatör")), Ansi("Örjan"));
  EXPECT_EQ(Field("kommunkod"), "0180");
  EXPECT_EQ(Field("kommunnamn"), "Stockholm");
  EXPECT_EQ(Field("kommunpreurad1"), "Kommunuppgift saknas");
  EXPECT_EQ(Field("utfardat"), "2026-12-08");
  ASSERT_EQ(library.Fields().Lines().size(), 29u);
  EXPECT_EQ(library.Fields().Lines().front(), "tillstnr\t0180-00123-45K");
  EXPECT_EQ(library.Fields().Lines().back(), "utfardat\t2026-12-08");
}

TEST_F(PrintRequestTest, NumberThatFailsNormalisationLeavesTheListsEmptied) {
  ASSERT_EQ(library.VmPrint(0, Permit()), 0);
  ASSERT_FALSE(library.PhotoImage().Empty());
  EXPECT_EQ(library.VmPrint(0, Permit("0180-12x-45F")), 7);
  EXPECT_TRUE(library.Fields().Lines().empty());
  EXPECT_TRUE(library.PhotoImage().Empty());
  EXPECT_TRUE(library.SignatureImage().Empty());
}

TEST_F(PrintRequestTest, OlderCardKeepsTheLetterAndShowsDigitDates) {
  ASSERT_EQ(library.VmPrint(1, Permit("0180-123-45k", "2026-3-5")), 0);
  EXPECT_EQ(Field("tillstnr"), "0180-00123-45F");
  EXPECT_EQ(Field("giltigttom"), "2026-03-05");
  EXPECT_EQ(library.VmPrint(3, Permit("0180-12345-45F")), 0);
  EXPECT_EQ(Field("tillstnr"), "0180-12345-45F");
}

TEST_F(PrintRequestTest, SwedishLettersAreUpperCased) {
  ASSERT_EQ(library.VmPrint(0, Permit("abcd-123-45f")), 0);
  EXPECT_EQ(Field("tillstnr"), "ABCD-00123-45K");
  ASSERT_EQ(library.VmPrint(0, Permit(Ansi("0180-123-åäö"))), 0);
  EXPECT_EQ(Field("tillstnr"), Ansi("0180-00123-ÅÄÖ"));
}

TEST_F(PrintRequestTest, ModesChooseLayoutOutputScaleAndPrinter) {
  data.Write("VemraSDK.ini",
             "[Utskrift]\r\nVemra Skrivare=CardPDF\r\nVemra Orientering=2\r\n"
             "Vemra \xd6verkant=1,5\r\nVemra V\xe4nsterkant=-2\r\n");
  library.VmInit(data.Windows());
  struct Case { int mode; const char* layout; int output; double scale; bool selects; } cases[] = {
      {0, "vemraeu.cpb", 2, 100, true}, {1, "ortex.cpb", 2, 100, true},
      {2, "vemraeu.cpb", 1, 50, false}, {3, "ortex.cpb", 1, 50, false},
      {-5, "vemraeu.cpb", 2, 100, true}, {7, "vemraeu.cpb", 1, 50, false},
  };
  for (const auto& c : cases) {
    platform.printers.current = "Kortskrivare";
    platform.printed.clear();
    ASSERT_EQ(library.VmPrint(c.mode, Permit()), 0) << c.mode;
    ASSERT_EQ(platform.printed.size(), 1u);
    const PrintLayoutRequest& r = platform.printed[0];
    EXPECT_EQ(r.layout, data.Windows() + c.layout) << c.mode;
    EXPECT_EQ(r.outputKind, c.output);
    EXPECT_EQ(r.scale, c.scale);
    EXPECT_EQ(r.orientation, 2);
    EXPECT_EQ(r.topOffset, 1.5);
    EXPECT_EQ(r.leftOffset, -2);
    EXPECT_EQ(platform.printers.current, c.selects ? "CardPDF" : "Kortskrivare") << c.mode;
  }
}

TEST_F(PrintRequestTest, PicturesAreLoadedForTheEuCardOnly) {
  library.VmPrint(1, Permit());
  EXPECT_TRUE(platform.picturesLoaded.empty());
  library.VmPrint(0, Permit());
  EXPECT_EQ(platform.picturesLoaded,
            (std::vector<std::string>{data.Windows() + "Image\\123.jpg",
                                      data.Windows() + "Image\\s123.jpg"}));
  EXPECT_FALSE(library.PhotoImage().Empty());
}

TEST_F(PrintRequestTest, APictureThatDoesNotLoadIsLoggedAndTheCardStillComesOut) {
  data.Write("Image/s123.jpg", "");  // the fake loader's damaged picture
  EXPECT_EQ(library.VmPrint(0, Permit()), 0);
  EXPECT_EQ(platform.printed.size(), 1u);
  const std::string log = data.Read("VemraSDK.log");
  EXPECT_NE(log.find("kortet skrivs ut utan bilden " + data.Windows() + "Image\\s123.jpg: damaged"),
            std::string::npos) << log;
  EXPECT_EQ(log.find("Image\\123.jpg"), std::string::npos) << "the photo loaded: " << log;
  EXPECT_EQ(library.VmPrint(2, Permit()), 0);
  EXPECT_NE(data.Read("VemraSDK.log").find("kortet visas utan bilden "), std::string::npos);
}

TEST_F(PrintRequestTest, OtherSendMethodsNeedATransferServerAndDoNotPrint) {
  data.Write("VemraSDK.ini", "[Internet]\r\nSendMethod=0\r\n[Kommun]\r\nKod=0180\r\n");
  library.VmInit(data.Windows());
  library.Fields().AddLine("kept\tyes");
  EXPECT_EQ(library.VmPrint(0, Permit()), 13);
  EXPECT_EQ(library.Fields().Lines().size(), 1u);  // a request ended by 13 changes nothing
  std::filesystem::remove(data.Path() + "Image/123.jpg");
  EXPECT_EQ(library.VmPrint(0, Permit()), 3);  // the host's texts are checked first
  data.Write("Image/123.jpg", "jpeg");

  data.Write("VemraSDK.ini",
             "[Internet]\r\nSendMethod=0\r\n[Kommun]\r\nKod=0180\r\nOverforingsserver=ftp\r\n");
  library.VmInit(data.Windows());
  EXPECT_EQ(library.VmPrint(0, Permit()), 0);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0], Ansi("Denna funktion funger inte ännu i denna version av SDK:n"));
  EXPECT_TRUE(platform.printed.empty());

  // Previews append their lines to what the list holds.
  library.VmPrint(2, Permit());
  library.VmPrint(2, Permit());
  EXPECT_EQ(library.Fields().Lines().size(), 1u + 29u + 29u);
  EXPECT_EQ(platform.printed.size(), 2u);
}

TEST(FormatValidDate, FollowsTheModeAndTheUsersShortDate) {
  SwedishFormats sv;
  struct Case { const char* text; int mode; const char* out; } cases[] = {
      {"2026-03-05", 1, "2026-03-05"}, {"2026-03-05", 3, "2026-03-05"},
      {"2026-03-05", 0, "5-MAR-2026"}, {"2026-03-05", 2, "5-MAR-2026"},
      {"2026-5-31", 0, "31-MAJ-2026"}, {"26-10-01", 0, "1-OKT-2026"},
      {"2026-02-30", 0, ""},           {"2026/03/05", 0, ""},
      {"5 mars 2026", 1, ""},          {"2026-03", 1, ""},
      {"2026-03-05-", 1, ""},          {"-2026-03-05", 1, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatValidDate(c.text, c.mode, sv), c.out) << c.text;
}

TEST(PermitNumberParts, AreCutAtTheDashes) {
  struct Case { const char* p; const char* birth; const char* run; const char* barcode; } cases[] = {
      {"0180-00123-45K", "1945", "00123", "018000123"},
      {"0180-00123", "1900", "", "0180"},
      {"0180", "", "", "0180"},
      {"0180-00123-4", "194", "00123", "018000123"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BirthYearOf(c.p), c.birth) << c.p;
    EXPECT_EQ(RunningNumberOf(c.p), c.run) << c.p;
    EXPECT_EQ(BarcodeNumberOf(c.p), c.barcode) << c.p;
  }
  EXPECT_EQ(PadLeftZeros(5, "123"), "00123");
  EXPECT_EQ(PadLeftZeros(2, "123"), "123");
  EXPECT_EQ(UpperCaseSwedish(Ansi("aåäöéz")), Ansi("AÅÄÖéZ"));
}

}  // namespace
}  // namespace vemra::test
