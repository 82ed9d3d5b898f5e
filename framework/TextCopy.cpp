#include "framework/TextCopy.h"

#include <cstring>

void CopyText(char* out, size_t size, const char* text) {
    if (out == nullptr || size == 0) {
        return;
    }
    const size_t length = text == nullptr ? 0 : strnlen(text, size - 1);
    if (length > 0) {
        std::memcpy(out, text, length);
    }
    out[length] = '\0';
}
