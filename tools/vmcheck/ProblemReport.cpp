#include "ProblemReport.h"

#include <algorithm>
#include <cstdio>

#include "base/Cp1252.h"

namespace vemra {
namespace {

const char* SeverityName(Severity severity) {
  return severity == Severity::Error ? "error" : "warning";
}

const char* SideName(CardSide side) {
  switch (side) {
    case CardSide::Back:
      return "back";
    case CardSide::Sheet:
      return "sheet";
    default:
      return "front";
  }
}

std::string JsonString(const std::string& ansi) {
  std::string out = "\"";
  for (char ch : Utf8(ansi)) {
    const auto c = static_cast<unsigned char>(ch);
    if (ch == '"' || ch == '\\') {
      out += '\\';
      out += ch;
    } else if (c < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += ch;
    }
  }
  return out + "\"";
}

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

std::string Count(std::size_t n, const char* word) {
  return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

}  // namespace

int ExitCodeOf(const Problems& problems) {
  const bool errors = std::any_of(problems.begin(), problems.end(),
                                  [](const Problem& p) { return p.severity == Severity::Error; });
  return errors ? 2 : problems.empty() ? 0 : 1;
}

std::string TextReport(const Problems& problems) {
  std::string out;
  std::size_t errors = 0;
  for (std::size_t i = 0; i < problems.size(); ++i) {
    const Problem& p = problems[i];
    if (p.severity == Severity::Error) ++errors;
    out += "[" + std::to_string(i + 1) + "] " + Utf8(p.file) + ":" + std::to_string(p.line) +
           (p.key.empty() ? "" : " " + Utf8(p.key)) + ": " + SeverityName(p.severity) + ": " +
           Utf8(p.message) + "\n";
  }
  if (problems.empty()) return "no problems found\n";
  return out + Count(errors, "error") + ", " + Count(problems.size() - errors, "warning") + "\n";
}

std::string JsonReport(const Problems& problems) {
  std::string out;
  for (std::size_t i = 0; i < problems.size(); ++i) {
    const Problem& p = problems[i];
    out += "{\"number\":" + std::to_string(i + 1) + ",\"file\":" + JsonString(p.file) +
           ",\"side\":\"" + SideName(p.side) + "\",\"line\":" + std::to_string(p.line) +
           ",\"key\":" + JsonString(p.key) + ",\"severity\":\"" + SeverityName(p.severity) +
           "\",\"message\":" + JsonString(p.message) + ",\"box\":";
    if (p.box)
      out += "{\"left\":" + Number(p.box->left) + ",\"top\":" + Number(p.box->top) +
             ",\"width\":" + Number(p.box->width) + ",\"height\":" + Number(p.box->height) + "}";
    else
      out += "null";
    out += "}\n";
  }
  return out;
}

}  // namespace vemra
