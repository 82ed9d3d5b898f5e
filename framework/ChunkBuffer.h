#pragma once

#include <cstdint>
#include <vector>

// Growable byte buffer of a plug-in state. Numbers are stored little-endian: int32 in four
// bytes, doubles as IEEE 754 in eight, strings as an int32 length followed by the bytes.
// Every read takes a position and returns the position after what was read, or -1 when the
// data ends too early (a negative start position reads nothing and is returned as it is).
class ChunkBuffer {
public:
    void AppendBytes(const void* data, int size);
    void AppendByte(uint8_t byte);
    void AppendInt32(int32_t value);
    void AppendDouble(double value);
    void AppendString(const char* text);

    int ReadBytes(int pos, void* out, int size) const;
    int ReadByte(int pos, uint8_t* out) const;
    int ReadInt32(int pos, int32_t* out) const;
    int ReadDouble(int pos, double* out) const;
    // Reads a string into out (outSize bytes, terminator included; longer texts are cut).
    // A length of 0 or less gives "" and the position after the length.
    int ReadString(int pos, char* out, int outSize) const;

    void Clear() { bytes.clear(); }
    int Size() const { return static_cast<int>(bytes.size()); }
    const uint8_t* Data() const { return bytes.data(); }
    uint8_t* Data() { return bytes.data(); }
    bool Empty() const { return bytes.empty(); }

private:
    bool Holds(int pos, int size) const;

    std::vector<uint8_t> bytes;
};

// A named preset with its own copy of the state.
struct PresetSlot {
    static constexpr int nameSize = 256;

    bool used = false;
    char presetName[nameSize] = {};
    ChunkBuffer values;
};
