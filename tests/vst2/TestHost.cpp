#include "TestHost.h"

#include <cstring>

TestHost* TestHost::active = nullptr;

const PluginLibrary& Quorvel2Library() {
    static PluginLibrary library(QUORVEL2_LIBRARY);
    return library;
}

TestHost::TestHost(const PluginLibrary& library) : library(library) {
    active = this;
}

TestHost::~TestHost() {
    Close();
    active = nullptr;
}

AEffect* TestHost::Create(const char* entryName) {
    using Entry = AEffect* (*)(audioMasterCallback);
    auto entry = reinterpret_cast<Entry>(library.Symbol(entryName));
    effect = entry ? entry(&TestHost::Callback) : nullptr;
    return effect;
}

void TestHost::Start(float sampleRate, int blockSize) {
    Dispatch(effOpen);
    Dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
    Dispatch(effSetBlockSize, 0, blockSize);
    Dispatch(effMainsChanged, 0, 1);
}

VstIntPtr TestHost::Dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                             float opt) {
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

std::string TestHost::Text(VstInt32 opcode, VstInt32 index) {
    char text[256] = {};
    Dispatch(opcode, index, 0, text);
    return text;
}

void TestHost::Close() {
    if (effect) {
        Dispatch(effClose);
        effect = nullptr;
    }
}

int TestHost::CallCount(VstInt32 opcode) const {
    int count = 0;
    for (const HostCall& call : calls) {
        count += call.opcode == opcode;
    }
    return count;
}

VstIntPtr TestHost::Callback(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                             float opt) {
    if (!active) {
        return 0;
    }
    active->calls.push_back({opcode, index, value, opt});
    return active->Answer(opcode, ptr);
}

VstIntPtr TestHost::Answer(VstInt32 opcode, void* ptr) {
    switch (opcode) {
    case audioMasterVersion:
        return 2400;
    case audioMasterGetTime:
        return timeAvailable ? reinterpret_cast<VstIntPtr>(&timeInfo) : 0;
    case audioMasterProcessEvents:
        TakeEvents(static_cast<const VstEvents*>(ptr));
        return 1;
    case audioMasterGetProductString:
        std::strncpy(static_cast<char*>(ptr), productString.c_str(), 63);
        return 1;
    case audioMasterGetVendorVersion:
        return vendorVersion;
    default:
        return 0;
    }
}

void TestHost::TakeEvents(const VstEvents* events) {
    for (int i = 0; i < events->numEvents; ++i) {
        const VstEvent* event = events->events[i];
        if (event->type == kVstMidiType) {
            midiEvents.push_back(*reinterpret_cast<const VstMidiEvent*>(event));
        } else if (event->type == kVstSysExType) {
            auto sysex = reinterpret_cast<const VstMidiSysexEvent*>(event);
            sysexDumps.emplace_back(sysex->sysexDump, sysex->dumpBytes);
        }
    }
}
