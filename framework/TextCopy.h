#pragma once

#include <cstddef>

// Copies text into a buffer of size bytes, cut to size - 1 characters and always
// terminated; a null text gives the empty text.
void CopyText(char* out, size_t size, const char* text);
