#include "SampleLayouts.h"

#include "Record.h"
#include "SamplePictures.h"

namespace vemra::samples {
namespace {

const std::string kBlue = Colour(0, 51, 153);
const std::string kPale = Colour(225, 236, 248);
const std::string kGrey = Colour(96, 96, 96);
const std::string kWhite = Colour(255, 255, 255);
const std::string kYellow = Colour(255, 204, 0);
const std::string kGreen = Colour(0, 110, 60);

Record Label(const char* text, const char* left, const char* top) {
  return Record("ftx").Box(left, top, "40", "3").Add("dat", text).Add("fnm", "Arial")
      .Add("fsz", "1,8").Add("col", kGrey);
}

Record Data(const char* field, const char* left, const char* top, const char* width,
            const char* size, bool bold = false) {
  return Record("dtx").Box(left, top, width, size).Add("dat", field).Add("fnm", "Arial")
      .Add("fsz", size).Add("fst", bold ? "1" : "0").Add("col", "0");
}

// A paragraph wrapped in a box across the card. (A line break written as
// the byte 0xFF would end the wrapping: each line then stands as it is.)
Record Wrapped(const char* text, const char* top) {
  return Record("ftx").Box("4", top, "78", "7").Add("dat", text).Add("wwp", "1")
      .Add("fnm", "Arial").Add("fsz", "2,4").Add("col", "0");
}

// The design letter of the permit number, shown in words by a conditional.
const char* kModelText =
    "!!special:ft\"function_if(\"!kd\"kon\"!ft\"=K then EU-modell else Äldre modell)\"!";
// The barcode's number with its Luhn check digit, as the barcode carries it.
const char* kBarcodeNumber =
    "!!special:kd\"streckkod\"!ft\"function_mod10(\"!kd\"streckkod\"!ft\")\"!";

std::string EuFront() {
  return LayoutText({
      Record("csz").Add("wid", "85,6").Add("hei", "54").Add("bak", "vemraeu_bak")
          .Add("mal", "BacksideNewPage"),
      Record("shp").Box("0", "0", "85,6", "54").Add("knd", "0").Add("bcl", kPale).Add("pcl", "-1"),
      Record("shp").Box("0", "0", "85,6", "10").Add("knd", "0").Add("bcl", kBlue).Add("pcl", "-1"),
      Record("fim").Box("1,5", "1", "8", "8").Add("dat", "eusymbol.bmp"),
      Record("ftx").Box("11", "1,2", "60", "4").Add("dat", "PARKERINGSTILLSTÅND")
          .Add("fnm", "Arial").Add("fsz", "3,4").Add("fst", "1").Add("col", kWhite),
      Record("ftx").Box("11", "5,6", "60", "3").Add("dat", "för rörelsehindrade")
          .Add("fnm", "Arial").Add("fsz", "2,6").Add("col", kWhite),
      Record("pho").Box("74", "1", "10", "8").Add("knd", "DB").Add("dat", "kommunlogo")
          .Add("pos", "Center"),
      Record("pho").Box("3", "12", "24", "32").Add("pos", "Center"),
      Record("shp").Box("3", "12", "24", "32").Add("knd", "0").Add("bcl", "-1")
          .Add("pcl", kBlue).Add("psz", "0,3"),
      // A translucent seal beside the signature, clear of every text.
      Record("shp").Box("71", "33", "12", "12").Add("knd", "1").Add("bcl", kYellow)
          .Add("pcl", "-1").Add("opa", "35"),
      Record("ftx").Box("71", "35", "12", "8").Add("dat", "EU").Add("fnm", "Arial")
          .Add("fsz", "6").Add("fst", "1").Add("col", kBlue).Add("ali", "center").Add("opa", "50"),
      Label("Namn", "30", "12"),
      Data("fnamnenamn", "30", "14,5", "52", "3,6", true),
      Label("Tillstånd nr", "30", "19,5"),
      Data("tillstnr", "30", "22", "40", "3,2"),
      Record("ftx").Box("30", "27", "22", "3").Add("dat", "Giltigt t.o.m. ").Add("grp", "giltig")
          .Add("fnm", "Arial").Add("fsz", "3").Add("col", "0"),
      Record("dtx").Box("30", "27", "22", "3").Add("dat", "giltigttom").Add("grp", "giltig")
          .Add("fnm", "Arial").Add("fsz", "3").Add("fst", "1").Add("col", "0"),
      Record("ftx").Box("30", "31,5", "40", "3").Add("dat", kModelText).Add("fnm", "Arial")
          .Add("fsz", "2,2").Add("fst", "2").Add("col", kGrey),
      Record("pho").Box("30", "38", "32", "8").Add("knd", "41").Add("pos", "Center"),
      Label("Innehavarens namnteckning", "30", "46,5"),
      Data("kommunpreurad1", "3", "46", "26", "2,6", true),
      Data("kommunpreurad2", "3", "49,5", "26", "2,4"),
  });
}

std::string EuBack() {
  return LayoutText({
      Record("csz").Add("wid", "85,6").Add("hei", "54"),
      Record("shp").Box("0", "0", "85,6", "54").Add("knd", "0").Add("bcl", kPale).Add("pcl", "-1"),
      Record("shp").Box("0", "0", "85,6", "7").Add("knd", "0").Add("bcl", kBlue).Add("pcl", "-1"),
      Record("dtx").Box("4", "1,5", "78", "4").Add("dat", "kommunnamn").Add("fnm", "Arial")
          .Add("fsz", "3").Add("fst", "1").Add("col", kWhite),
      Wrapped("Kortet ska placeras väl synligt innanför vindrutan när fordonet används av "
              "eller för kortinnehavaren.", "9"),
      Wrapped("Kortet är personligt och ska återlämnas när det inte längre gäller.", "16"),
      // Conditions the municipality adds as memo lines (memokd1, memokd2, ...).
      Record("dtx").Box("4", "22", "78", "2,6").Add("dat", "memokd").Add("fnm", "Arial")
          .Add("fsz", "2,2").Add("fst", "2").Add("col", kGrey),
      Label("Utfärdat", "4", "31"),
      Data("utfardat", "4", "33,5", "30", "3"),
      Label("Handläggare", "40", "31"),
      Data("operatör", "40", "33,5", "40", "3"),
      Record("bam").Box("4", "40", "48", "9").Add("btp", "code128").Add("dat", "streckkod")
          .Add("chk", "1"),
      Record("ftx").Box("4", "49,5", "48", "3").Add("dat", kBarcodeNumber).Add("fnm", "Arial")
          .Add("fsz", "2,4").Add("ali", "center").Add("col", "0"),
      Data("kommunpost", "56", "41", "28", "2,4"),
      Data("kommuntelefon", "56", "44", "28", "2,4"),
      Data("kommunepost", "56", "47", "28", "2,4"),
  });
}

std::string OlderFront() {
  return LayoutText({
      Record("csz").Add("wid", "85,6").Add("hei", "54").Add("bak", "ortex_bak")
          .Add("mal", "BacksideNewPage"),
      Record("shp").Box("0", "0", "85,6", "9").Add("knd", "0").Add("bcl", kGreen).Add("pcl", "-1"),
      Record("dtx").Box("4", "1,5", "60", "4").Add("dat", "kommunortexkommun").Add("fnm", "Arial")
          .Add("fsz", "3,6").Add("fst", "1").Add("col", kWhite),
      Record("ftx").Box("4", "5,5", "60", "3").Add("dat", "Parkeringstillstånd")
          .Add("fnm", "Arial").Add("fsz", "2,4").Add("col", kWhite),
      // The older card carries no photo: the municipality's logo, in grey.
      Record("pho").Box("4", "12", "22", "29,3").Add("knd", "DB").Add("dat", "kommunlogo")
          .Add("pos", "Center").Named("ImFx", "GrayScale"),
      Record("shp").Box("30", "12", "0", "38").Add("knd", "3").Add("bcl", "-1").Add("pcl", kGreen)
          .Add("psz", "0,4"),
      Label("Namn", "34", "12"),
      Data("enamn", "34", "14,5", "48", "3,6", true),
      Data("fnamn", "34", "18,5", "48", "3,2"),
      Label("Tillstånd nr", "34", "24"),
      Data("tillstnr", "34", "26,5", "48", "3,2"),
      Label("Giltigt t.o.m.", "34", "32"),
      Data("giltigttom", "34", "34,5", "48", "3,2", true),
      Record("ftx").Box("34", "40", "48", "3").Add("dat", kModelText).Add("fnm", "Arial")
          .Add("fsz", "2,2").Add("fst", "2").Add("col", kGrey),
      Record("dtx").Box("4", "44", "26", "3").Add("dat", "kommunortextelefon")
          .Add("fnm", "Arial").Add("fsz", "2,2").Add("col", kGrey),
  });
}

std::string OlderBack() {
  return LayoutText({
      Record("csz").Add("wid", "85,6").Add("hei", "54"),
      Wrapped("Tillståndet gäller för parkering enligt trafikförordningen.", "4"),
      Wrapped("Visa kortet på begäran av polis eller parkeringsvakt.", "11"),
      Record("bam").Box("4", "30", "50", "10").Add("btp", "code128").Add("dat", "streckkod")
          .Add("chk", "1"),
      Record("ftx").Box("4", "41", "50", "3").Add("dat", kBarcodeNumber).Add("fnm", "Arial")
          .Add("fsz", "2,4").Add("ali", "center").Add("col", "0"),
      // A faint municipality name across the back.
      Record("dtx").Box("4", "46", "78", "6").Add("dat", "kommunortexkommun").Add("fnm", "Arial")
          .Add("fsz", "5").Add("fst", "1").Add("col", kGreen).Add("opa", "25").Add("ali", "right"),
  });
}

}  // namespace

std::vector<LayoutFileBytes> SampleFiles() {
  std::vector<EmbeddedPictureFile> euPictures{{"eusymbol.bmp", EuSymbolBmp()}};
  auto container = [](const std::string& text, const std::vector<EmbeddedPictureFile>& p) {
    return WriteLayoutContainer(text, p);
  };
  auto plain = [](const std::string& text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
  };
  return {
      {"vemraeu.cpb", container(EuFront(), euPictures)},
      {"vemraeu_bak.cpc", plain(EuBack())},
      {"ortex.cpb", plain(OlderFront())},
      {"ortex_bak.cpc", plain(OlderBack())},
      {"0180logo.jpg", MunicipalityLogoJpeg()},
  };
}

}  // namespace vemra::samples
