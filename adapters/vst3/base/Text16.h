#pragma once

// Texts between this module's 8-bit strings and VST3's 128-unit UTF-16 strings: widening
// takes each byte as one unit, narrowing keeps the low byte of each unit. Both stop after
// 127 characters and always terminate; a null source gives the empty text.

#include "adapters/vst3/base/Vst3Types.h"

namespace vst3 {

constexpr int kText128Length = 127;

inline void WidenText(TChar* out, const char* text) {
    int n = 0;
    for (; text && text[n] && n < kText128Length; ++n)
        out[n] = static_cast<TChar>(static_cast<unsigned char>(text[n]));
    out[n] = 0;
}

// out holds at least kText128Length + 1 bytes.
inline void NarrowText(char* out, const TChar* text) {
    int n = 0;
    for (; text && text[n] && n < kText128Length; ++n)
        out[n] = static_cast<char>(text[n] & 0xFF);
    out[n] = 0;
}

} // namespace vst3
