#include <gmock/gmock.h>

#include "CheckFixture.h"
#include "ProblemReport.h"
#include "imaging/PictureCodecs.h"

namespace vemra {
namespace {

using ::testing::HasSubstr;

constexpr const char* kCard = "typcsz\twid85,6\thei54";
// A text that fits its box at 300 dpi, the base the cases change.
constexpr const char* kText = "typftx\tlft5\ttop5\twid30\thei4\tdatHej\tfnmArial\tfsz3";

struct PlantedCase {
  const char* name;
  std::string front;  // card.cpb
  int line;           // of the one problem expected
  const char* key;
  Severity severity;
  const char* message;  // part of its message
};

std::string Lines(std::initializer_list<std::string> records) {
  std::string text;
  for (const auto& record : records) text += record + "\r\n";
  return text;
}

void PrintTo(const PlantedCase& planted, std::ostream* out) { *out << planted.name; }

class PlantedProblemTest : public CheckFixture,
                           public ::testing::WithParamInterface<PlantedCase> {};

TEST_P(PlantedProblemTest, IsTheOnlyProblemFound) {
  const PlantedCase& planted = GetParam();
  // Pictures some cases name: one that is no picture, one far too large.
  Write("broken.jpg", "not a picture");
  std::vector<std::uint8_t> bmp;
  ASSERT_TRUE(WriteBmp(Bitmap(800, 800), bmp));
  Write("large.bmp", std::string(bmp.begin(), bmp.end()));

  const CheckResult result = Check(planted.front);
  ASSERT_EQ(result.problems.size(), 1u) << TextReport(result.problems);
  const Problem& problem = result.problems.front();
  EXPECT_EQ(problem.file, "card.cpb");
  EXPECT_EQ(problem.line, planted.line);
  EXPECT_EQ(problem.key, planted.key);
  EXPECT_EQ(problem.severity, planted.severity);
  EXPECT_THAT(problem.message, HasSubstr(planted.message));
}

const std::string kShape = "typshp\tlft0\ttop0\twid10\thei10\tknd0\tbcl255\tpcl-1";

INSTANTIATE_TEST_SUITE_P(
    Layouts, PlantedProblemTest,
    ::testing::Values(
        PlantedCase{"UnknownType", Lines({kCard, kText, "typxyz\tlft1\ttop1\twid5\thei5"}), 3,
                    "typ", Severity::Error, "unknown record type"},
        PlantedCase{"UnknownKey", Lines({kCard, kText + std::string("\tzzz1")}), 2, "zzz",
                    Severity::Warning, "unknown key"},
        PlantedCase{"KeyOfAnotherType", Lines({kCard, kText + std::string("\tbtpcode128")}), 2,
                    "btp", Severity::Warning, "not used by ftx"},
        PlantedCase{"KeyTwice", Lines({kCard, kText + std::string("\tfnmTimes")}), 2, "fnm",
                    Severity::Warning, "twice"},
        PlantedCase{"NumberDoesNotConvert",
                    Lines({kCard, "typftx\tlft1,2,3\ttop5\twid30\thei4\tdatHej\tfsz3"}), 2, "lft",
                    Severity::Error, "not a number"},
        PlantedCase{"ColourNotAWholeNumber", Lines({kCard, kText + std::string("\tcol1,5")}), 2,
                    "col", Severity::Error, "not a whole number"},
        PlantedCase{"OpacityOutOfRange", Lines({kCard, kText + std::string("\topa150")}), 2, "opa",
                    Severity::Warning, "outside 0 to 100"},
        PlantedCase{"AngleNotAQuarterTurn", Lines({kCard, kText + std::string("\tang45")}), 2,
                    "ang", Severity::Warning, "90"},
        PlantedCase{"OutsideTheCard",
                    Lines({kCard, "typftx\tlft80\ttop5\twid10\thei4\tdatHej\tfsz3"}), 2, "lft",
                    Severity::Warning, "outside the card"},
        PlantedCase{"TextWithoutFontSize",
                    Lines({kCard, "typftx\tlft5\ttop5\twid30\thei4\tdatHej\tfsz0"}), 2, "fsz",
                    Severity::Warning, "no font size"},
        PlantedCase{"CardWithoutSize", Lines({"typcsz\twid85,6", kText}), 1, "hei", Severity::Error,
                    "size"},
        PlantedCase{"MissingBack",
                    Lines({std::string(kCard) + "\tbakgone\tmalBacksideNewPage", kText}), 1, "bak",
                    Severity::Error, "gone.cpc"},
        PlantedCase{"MissingSheet", Lines({std::string(kCard) + "\tmalgone", kText}), 1, "mal",
                    Severity::Error, "gone.cpm"},
        PlantedCase{"MissingDataTable", Lines({std::string(kCard) + "\ttblgone", kText}), 1, "tbl",
                    Severity::Warning, "gone.dat"},
        PlantedCase{"UnfilledField",
                    Lines({kCard, "typdtx\tlft5\ttop5\twid30\thei4\tdatnosuchfield\tfsz3"}), 2,
                    "dat", Severity::Warning, "\"nosuchfield\" is filled neither"},
        PlantedCase{
            "UnterminatedItem",
            Lines({kCard,
                   "typftx\tlft5\ttop5\twid30\thei4\tfsz3\tdat!!special:ft\"A\"!kd\"enamn\""}),
            2, "dat", Severity::Error, "not ended by"},
        PlantedCase{
            "IfWithoutItsParts",
            Lines({kCard,
                   "typftx\tlft5\ttop5\twid30\thei4\tfsz3\tdat!!special:ft\"function_if(A)\"!"}),
            2, "dat", Severity::Error, "function_if("},
        PlantedCase{
            "ExpressionReadsUnfilledField",
            Lines({kCard, "typftx\tlft5\ttop5\twid30\thei4\tfsz3\tdat!!special:kd\"saknas\"!"}), 2,
            "dat", Severity::Warning, "\"saknas\" is filled neither"},
        PlantedCase{
            "ExpressionTooLong",
            Lines({kCard, "typftx\tlft5\ttop5\twid30\thei4\tfsz3\tdat!!special:ft\"A\"!ft\"" +
                              std::string(250, 'x') + "\"!"}),
            2, "dat", Severity::Error, "rest is dropped"},
        PlantedCase{"ConditionalOutsideAnExpression",
                    Lines({kCard, "typftx\tlft5\ttop5\twid30\thei4\tfsz3\tdatfunction_if(a=b)"}), 2,
                    "dat", Severity::Warning, "prints as written"},
        PlantedCase{"ShownOnlyWithAFieldNeverFilled",
                    Lines({kCard, kText + std::string("\tdblsaknas")}), 2, "dbl", Severity::Warning,
                    "never drawn"},
        PlantedCase{"ShapeWithoutFill", Lines({kCard, "typshp\tlft0\ttop0\twid5\thei5\tpcl0"}), 2,
                    "bcl", Severity::Error, "needs a colour"},
        PlantedCase{"PictureNotFound",
                    Lines({kCard, "typfim\tlft1\ttop1\twid8\thei8\tdatnothere.jpg"}), 2, "dat",
                    Severity::Error, "neither embedded nor a file"},
        PlantedCase{"LogoNotFound",
                    Lines({kCard, "typpho\tlft1\ttop1\twid8\thei8\tkndDB\tdatenamn"}), 2, "dat",
                    Severity::Error, "\"Andersson\" is found neither"},
        PlantedCase{
            "PictureMuchLargerThanItsBox",
            Lines({kCard, "typpho\tlft1\ttop1\twid2\thei2\tkndDB\tdat!!special:ft\"large.bmp\"!"}),
            2, "dat", Severity::Warning, "800 x 800 pixels"},
        PlantedCase{"BarcodeCannotEncode",
                    Lines({kCard, "typbam\tlft5\ttop20\twid60\thei10\tbtpcode39\tdatoperat\xf6r"}),
                    2, "dat", Severity::Error, "cannot encode \"\xf6\""},
        PlantedCase{"BarsPastTheirBox",
                    Lines({kCard, "typbam\tlft5\ttop20\twid60\thei10\tbtpcode128\tdatenamn"}), 2,
                    "wid", Severity::Warning, "past the box"},
        PlantedCase{
            "TextTooWide",
            Lines({kCard, "typftx\tlft5\ttop5\twid10\thei4\tfsz3\tdatEn text som inte ryms"}), 2,
            "wid", Severity::Warning, "overflows its box"},
        PlantedCase{"TextTooTall", Lines({kCard, "typftx\tlft5\ttop5\twid30\thei2\tfsz4\tdatHej"}),
                    2, "hei", Severity::Warning, "tall"},
        PlantedCase{"WrappedTextTooTall",
                    Lines({kCard,
                           "typftx\tlft5\ttop5\twid20\thei4\tfsz3\twwp1\tdatEn text som bryts "
                           "till flera rader i en liten ruta"}),
                    2, "hei", Severity::Warning, "tall"},
        PlantedCase{"HiddenUnderAShape",
                    Lines({kCard, "typftx\tlft2\ttop2\twid6\thei4\tfsz3\tdatHej", kShape}), 2, "",
                    Severity::Warning, "hidden under the opaque shape on line 3"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CheckFixture, ObjectsUnderTransparentOrLaterShapesAreNotHidden) {
  const CheckResult result =
      Check(Lines({kCard, kShape,  // drawn first: a background
                   "typftx\tlft2\ttop2\twid6\thei4\tfsz3\tdatHej",
                   "typshp\tlft0\ttop0\twid10\thei10\tknd0\tbcl255\tpcl-1\topa50",
                   "typshp\tlft0\ttop0\twid10\thei10\tknd1\tbcl255\tpcl-1"}));
  EXPECT_TRUE(result.problems.empty()) << TextReport(result.problems);
}

TEST_F(CheckFixture, BackSideProblemsNameTheBackFileAndComeAfterTheFront) {
  Write("card_bak.cpc", Lines({kCard, "typxyz"}));
  const CheckResult result =
      Check(Lines({std::string(kCard) + "\tbakcard_bak\tmalBacksideNewPage", "typqqq"}));
  ASSERT_EQ(result.problems.size(), 2u) << TextReport(result.problems);
  EXPECT_EQ(result.problems[0].file, "card.cpb");
  EXPECT_EQ(result.problems[1].file, "card_bak.cpc");
  EXPECT_EQ(result.problems[1].side, CardSide::Back);
}

TEST_F(CheckFixture, DataTableFillsTheFieldsInsteadOfTheRequest) {
  Write("tabell.dat", "egetfalt\tvarde\r\n");
  const std::string card = std::string(kCard) + "\ttbltabell";
  const CheckResult result =
      Check(Lines({card, "typdtx\tlft5\ttop5\twid30\thei4\tdategetfalt\tfsz3",
                   "typdtx\tlft5\ttop10\twid30\thei4\tdatenamn\tfsz3"}));
  // The table replaced the request's fields, so enamn is no longer filled.
  ASSERT_EQ(result.problems.size(), 1u) << TextReport(result.problems);
  EXPECT_EQ(result.problems[0].line, 3);
}

TEST_F(CheckFixture, FieldsFileReplacesTheSampleHolder) {
  Write("falt.txt", "egetfalt\tv\xe4rde\r\n");
  const CheckResult result =
      Check(Lines({kCard, "typdtx\tlft5\ttop5\twid30\thei4\tdategetfalt\tfsz3"}), Path("falt.txt"));
  EXPECT_TRUE(result.problems.empty()) << TextReport(result.problems);
  EXPECT_EQ(Check(Lines({kCard}), Path("saknas.txt")).problems.size(), 1u);
}

TEST_F(CheckFixture, MissingLayoutIsAnError) {
  const CheckResult result =
      CheckLayout({Path("saknas.cpb"), "", ""}, {*files, formats, *measure, bindHooks});
  ASSERT_EQ(result.problems.size(), 1u);
  EXPECT_THAT(result.problems[0].message, HasSubstr("Failed to open"));
  EXPECT_EQ(ExitCodeOf(result.problems), 2);
}

// The sample cards must print as designed with the demo data folder.
TEST(DemoCards, ComeOutClean) {
  auto files = MakePortableFileSystem();
  SwedishFormats formats;
  auto measure = MakeEstimatingMeasure();
  for (const char* card : {"vemraeu.cpb", "ortex.cpb"}) {
    const CheckResult result = CheckLayout({std::string(VEMRA_DEMO) + "/" + card, VEMRA_DEMO, ""},
                                           {*files, formats, *measure});
    EXPECT_TRUE(result.problems.empty()) << card << "\n" << TextReport(result.problems);
    EXPECT_TRUE(result.card.back.present) << card;
  }
}

}  // namespace
}  // namespace vemra
