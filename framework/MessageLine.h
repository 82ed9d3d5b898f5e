#pragma once

// A one-line text shown to the user. Like a text control, it repaints only when the text
// really changes; the text is held in a fixed buffer, so replacing it never allocates.
class MessageLine {
public:
    static constexpr int capacity = 256;

    // Longer texts are cut to capacity - 1 bytes; null counts as the empty text.
    void SetText(const char* newText);
    const char* Text() const { return text; }
    // How many times the line asked to be repainted.
    int RepaintCount() const { return repaintCount; }

private:
    char text[capacity] = {};
    int repaintCount = 0;
};
