#include "PlesseyCrc.h"

extern "C" void PlesseyCrcChars(const unsigned char* nibbles, int count, char* out) {
  unsigned crc = 0;  // bit 7 holds the coefficient of x^7
  for (int i = 0; i < count; ++i)
    for (int bit = 0; bit < 4; ++bit) {
      unsigned feedback = ((crc >> 7) ^ (nibbles[i] >> bit)) & 1;
      crc = (crc << 1) & 0xFF;
      if (feedback) crc ^= 0xE9;  // x^7 + x^6 + x^5 + x^3 + 1
    }
  // The check bits follow the data highest power first; each group of four
  // becomes a character read least significant bit first.
  const char* hex = "0123456789ABCDEF";
  for (int k = 0; k < 2; ++k) {
    unsigned value = 0;
    for (int bit = 0; bit < 4; ++bit) value |= ((crc >> (7 - 4 * k - bit)) & 1) << bit;
    out[k] = hex[value];
  }
}
