#include "layout/fields/CheckDigits.h"

namespace vemra {

std::string CheckDigitMod10(std::string_view digits, int variant) {
  if (digits.empty()) return {};
  if (variant <= 0) variant = 1;
  const int firstWeight = variant == 2 ? 3 : 2;
  int weight = firstWeight;
  int sum = 0;
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it < '0' || *it > '9') return {};
    int product = weight * (*it - '0');
    if (variant == 1 && product > 9) product -= 9;
    sum = (sum + product) % 10;
    weight = weight == 1 ? firstWeight : 1;
  }
  return std::string(1, char('0' + (10 - sum) % 10));
}

}  // namespace vemra
