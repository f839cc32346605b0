#pragma once

// The Plessey CRC of a text's 4-bit values, each sent least significant bit
// first: the remainder of the bit stream times x^8 divided by
// x^8 + x^7 + x^6 + x^5 + x^3 + 1, as two hexadecimal characters in the
// order their bits follow the data. `out` receives 2 characters.
extern "C" __declspec(dllexport) void PlesseyCrcChars(const unsigned char* nibbles, int count,
                                                      char* out);
