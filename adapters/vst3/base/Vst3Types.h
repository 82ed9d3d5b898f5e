#pragma once

// Basic types, result codes and 128-bit ids of the VST3 binary interface. The Windows build
// follows COM (GUID byte order, HRESULT values); every other platform uses plain big-endian
// ids and small result numbers.

#include <cstdint>
#include <cstring>

// Interface methods use the platform's default convention on x86-64 (stdcall has no effect).
#define PLUGIN_API

namespace vst3 {

using int8 = char;
using uint8 = unsigned char;
using int16 = int16_t;
using uint16 = uint16_t;
using int32 = int32_t;
using uint32 = uint32_t;
using int64 = int64_t;
using uint64 = uint64_t;
using tresult = int32;
using TBool = uint8;
using char8 = char;
using char16 = char16_t;
using TChar = char16;
using String128 = TChar[128];
using TUID = char[16];
using FIDString = const char8*;
using ParamID = uint32;
using ParamValue = double;
using SpeakerArrangement = uint64;
using MediaType = int32;
using BusDirection = int32;
using BusType = int32;
using UnitID = int32;
using ProgramListID = int32;

#if defined(_WIN32)
constexpr tresult kNoInterface = -2147467262; // E_NOINTERFACE
constexpr tresult kResultOk = 0;              // S_OK
constexpr tresult kResultTrue = kResultOk;
constexpr tresult kResultFalse = 1;               // S_FALSE
constexpr tresult kInvalidArgument = -2147024809; // E_INVALIDARG
constexpr tresult kNotImplemented = -2147467263;  // E_NOTIMPL
constexpr tresult kInternalError = -2147467259;   // E_FAIL
constexpr tresult kNotInitialized = -2147418113;  // E_UNEXPECTED
constexpr tresult kOutOfMemory = -2147024882;     // E_OUTOFMEMORY
#else
constexpr tresult kNoInterface = -1;
constexpr tresult kResultOk = 0;
constexpr tresult kResultTrue = kResultOk;
constexpr tresult kResultFalse = 1;
constexpr tresult kInvalidArgument = 2;
constexpr tresult kNotImplemented = 3;
constexpr tresult kInternalError = 4;
constexpr tresult kNotInitialized = 5;
constexpr tresult kOutOfMemory = 6;
#endif

// A 128-bit id given by four 32-bit numbers, laid out in memory as the platform's hosts
// expect: COM GUID order on Windows, big-endian elsewhere.
class FUID {
public:
    constexpr FUID(uint32 l1, uint32 l2, uint32 l3, uint32 l4) : bytes{} {
#if defined(_WIN32)
        PutLittleEndian(0, l1, 4);
        PutLittleEndian(4, l2 >> 16, 2);
        PutLittleEndian(6, l2 & 0xFFFF, 2);
#else
        PutBigEndian(0, l1);
        PutBigEndian(4, l2);
#endif
        PutBigEndian(8, l3);
        PutBigEndian(12, l4);
    }

    const char* Bytes() const {
        return bytes;
    }
    // False for a null id.
    bool Matches(const char* id) const {
        return id && std::memcmp(bytes, id, sizeof bytes) == 0;
    }
    void CopyTo(TUID out) const {
        std::memcpy(out, bytes, sizeof bytes);
    }

private:
    constexpr void PutBigEndian(int at, uint32 value) {
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<char>((value >> (24 - 8 * i)) & 0xFF);
    }
    constexpr void PutLittleEndian(int at, uint32 value, int count) {
        for (int i = 0; i < count; ++i)
            bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }

    char bytes[16];
};

} // namespace vst3
