#pragma once
// One finding of the layout checker, tied to a record of a layout file.
#include <optional>
#include <string>
#include <vector>

namespace vemra {

enum class Severity { Warning, Error };

// Which drawing of the card a layout file is.
enum class CardSide { Front, Back, Sheet };

// A record's box in millimetres on its own card (or sheet).
struct MmBox {
  double left = 0, top = 0, width = 0, height = 0;
};

struct Problem {
  std::string file;  // the layout file's name, without its folder
  CardSide side = CardSide::Front;
  int line = 0;     // the record's line, from 1; 0 for the file as a whole
  std::string key;  // the key to blame, or empty
  Severity severity = Severity::Error;
  std::string message;  // Windows-1252, as the layout's own texts
  std::optional<MmBox> box;
};

using Problems = std::vector<Problem>;

}  // namespace vemra
