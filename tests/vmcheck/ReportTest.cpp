#include <gmock/gmock.h>

#include <optional>

#include "ProblemReport.h"
#include "ExpressionChecks.h"
#include "base/RegionalFormats.h"

namespace vemra {
namespace {

Problem Warning(std::string message) {
  return {"kort.cpb",         CardSide::Back,         7, "wid", Severity::Warning,
          std::move(message), MmBox{1.5, 2, 30, 4.25}};
}

TEST(ExitCode, IsTheWorstSeverityFound) {
  Problem error = Warning("x");
  error.severity = Severity::Error;
  EXPECT_EQ(ExitCodeOf({}), 0);
  EXPECT_EQ(ExitCodeOf({Warning("x")}), 1);
  EXPECT_EQ(ExitCodeOf({Warning("x"), error}), 2);
}

TEST(TextReport, NumbersEachProblemAndCountsThem) {
  EXPECT_EQ(TextReport({Warning("f\xf6r bred")}),
            "[1] kort.cpb:7 wid: warning: f\xc3\xb6r bred\n0 errors, 1 warning\n");
  EXPECT_EQ(TextReport({}), "no problems found\n");
}

TEST(JsonReport, WritesOneObjectALineInUtf8) {
  Problem fileProblem = Warning("saknas");
  fileProblem.box.reset();
  fileProblem.key = "";
  EXPECT_EQ(JsonReport({Warning("\"f\xf6r\" \\ bred\t"), fileProblem}),
            "{\"number\":1,\"file\":\"kort.cpb\",\"side\":\"back\",\"line\":7,\"key\":\"wid\","
            "\"severity\":\"warning\",\"message\":\"\\\"f\xc3\xb6r\\\" \\\\ bred\\u0009\","
            "\"box\":{\"left\":1.50,\"top\":2.00,\"width\":30.00,\"height\":4.25}}\n"
            "{\"number\":2,\"file\":\"kort.cpb\",\"side\":\"back\",\"line\":7,\"key\":\"\","
            "\"severity\":\"warning\",\"message\":\"saknas\",\"box\":null}\n");
}

struct ExpressionCase {
  const char* text;
  const char* fault;  // part of the fault, or null when it parses
};

TEST(ExpressionFault, TellsWhatDoesNotParse) {
  const ExpressionCase cases[] = {
      {"vanlig text", nullptr},
      {"!!special:ft\"a\"!kd\"enamn\"!kdyyyy\"datum\"!", nullptr},
      {"!!SPECIAL:ft\"function_if(\"!kd\"kon\"!ft\"=K then EU else \xc4ldre)\"!", nullptr},
      {"!!special:ft\"a\"!kd\"enamn\"", "not ended by"},
      {"!!special:xx\"a\"!", "unknown item"},
      {"!!special:ft a!", "is not ft\"text\""},
      {"!!special:kdenamn!", "is not kd\"field\""},
      {"!!special:ft\"function_if(a=b then c\"!", "no closing"},
      {"!!special:ft\"function_if(a then b)\"!", "left=right"},
      {"function_mod10(123", "function_mod10( has no closing"},
      {"function_mod10(123)", nullptr},
  };
  FieldList fields;
  fields.Add("kon", "K");
  SwedishFormats formats;
  for (const auto& c : cases) {
    const std::optional<std::string> fault = ExpressionFault(c.text, fields, formats);
    if (!c.fault) {
      EXPECT_FALSE(fault) << c.text << ": " << *fault;
    } else {
      ASSERT_TRUE(fault) << c.text;
      EXPECT_THAT(*fault, ::testing::HasSubstr(c.fault)) << c.text;
    }
  }
}

}  // namespace
}  // namespace vemra
