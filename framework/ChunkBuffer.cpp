#include "framework/ChunkBuffer.h"

#include "framework/TextCopy.h"

#include <cstring>

namespace {

void PutLittleEndian(uint8_t* out, uint64_t bits, int size) {
    for (int i = 0; i < size; ++i) {
        out[i] = static_cast<uint8_t>(bits >> (8 * i));
    }
}

uint64_t GetLittleEndian(const uint8_t* in, int size) {
    uint64_t bits = 0;
    for (int i = 0; i < size; ++i) {
        bits |= static_cast<uint64_t>(in[i]) << (8 * i);
    }
    return bits;
}

} // namespace

void ChunkBuffer::AppendBytes(const void* data, int size) {
    if (data == nullptr || size <= 0) {
        return;
    }
    const uint8_t* begin = static_cast<const uint8_t*>(data);
    bytes.insert(bytes.end(), begin, begin + size);
}

void ChunkBuffer::AppendByte(uint8_t byte) {
    bytes.push_back(byte);
}

void ChunkBuffer::AppendInt32(int32_t value) {
    uint8_t le[4];
    PutLittleEndian(le, static_cast<uint32_t>(value), 4);
    AppendBytes(le, 4);
}

void ChunkBuffer::AppendDouble(double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    uint8_t le[8];
    PutLittleEndian(le, bits, 8);
    AppendBytes(le, 8);
}

void ChunkBuffer::AppendString(const char* text) {
    const int length = text == nullptr ? 0 : static_cast<int>(std::strlen(text));
    AppendInt32(length);
    AppendBytes(text, length);
}

bool ChunkBuffer::Holds(int pos, int size) const {
    return pos >= 0 && size >= 0 && size <= Size() - pos;
}

int ChunkBuffer::ReadBytes(int pos, void* out, int size) const {
    if (pos < 0) {
        return pos;
    }
    if (!Holds(pos, size)) {
        return -1;
    }
    if (size > 0) {
        std::memcpy(out, bytes.data() + pos, size);
    }
    return pos + size;
}

int ChunkBuffer::ReadByte(int pos, uint8_t* out) const {
    return ReadBytes(pos, out, 1);
}

int ChunkBuffer::ReadInt32(int pos, int32_t* out) const {
    uint8_t le[4];
    const int next = ReadBytes(pos, le, 4);
    if (next >= 0) {
        *out = static_cast<int32_t>(static_cast<uint32_t>(GetLittleEndian(le, 4)));
    }
    return next;
}

int ChunkBuffer::ReadDouble(int pos, double* out) const {
    uint8_t le[8];
    const int next = ReadBytes(pos, le, 8);
    if (next >= 0) {
        const uint64_t bits = GetLittleEndian(le, 8);
        std::memcpy(out, &bits, sizeof bits);
    }
    return next;
}

int ChunkBuffer::ReadString(int pos, char* out, int outSize) const {
    CopyText(out, outSize > 0 ? static_cast<size_t>(outSize) : 0, "");
    int32_t length = 0;
    pos = ReadInt32(pos, &length);
    if (pos < 0 || length <= 0) {
        return pos;
    }
    if (!Holds(pos, length)) {
        return -1;
    }
    if (outSize > 0) {
        const int kept = length < outSize - 1 ? length : outSize - 1;
        std::memcpy(out, bytes.data() + pos, kept);
        out[kept] = '\0';
    }
    return pos + length;
}
