#include "framework/MessageLine.h"

#include "framework/TextCopy.h"

#include <cstring>

void MessageLine::SetText(const char* newText) {
    char replacement[capacity];
    CopyText(replacement, sizeof replacement, newText);
    if (std::strcmp(replacement, text) == 0) {
        return;
    }
    std::memcpy(text, replacement, sizeof text);
    ++repaintCount;
}
