// Test plug-in: Plessey check characters for a length-prefixed text.
#include "PlesseyCrc.h"

namespace {

unsigned char Nibble(unsigned char c) {
  if (c >= 'a' && c <= 'f') c = c - 'a' + 'A';
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 0;
}

}  // namespace

extern "C" __declspec(dllexport) void __stdcall Dll_GetPlesseyCrc(const unsigned char* input,
                                                                   unsigned char* output) {
  unsigned char nibbles[255];
  int count = input[0];
  for (int i = 0; i < count; ++i) nibbles[i] = Nibble(input[1 + i]);
  char crc[2];
  PlesseyCrcChars(nibbles, count, crc);
  output[0] = 2;
  output[1] = crc[0];
  output[2] = crc[1];
}
