#pragma once

#include "PluginLibrary.h"
#include "adapters/vst2/Vst2Interface.h"

#include <string>
#include <vector>

// One call the plug-in made to the host.
struct HostCall {
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    float opt;
};

// A small VST2 host: creates an effect through the library's entry point with its own
// callback, records every call the plug-in makes back, and answers the transport and
// identity questions with values a test sets. One host is active at a time.
class TestHost {
public:
    explicit TestHost(const PluginLibrary& library);
    ~TestHost();
    TestHost(const TestHost&) = delete;
    TestHost& operator=(const TestHost&) = delete;

    // Calls the named entry point; the effect stays null when it fails or is missing.
    AEffect* Create(const char* entryName = "VSTPluginMain");
    // effOpen, sample rate, block size and mains on: the order in which hosts start a plug-in.
    void Start(float sampleRate, int blockSize);
    VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                       void* ptr = nullptr, float opt = 0.0f);
    // The text an opcode writes into a host buffer (cleared before the call).
    std::string Text(VstInt32 opcode, VstInt32 index = 0);
    // effClose; the effect record is gone afterwards.
    void Close();

    int CallCount(VstInt32 opcode) const;

    AEffect* effect = nullptr;
    std::vector<HostCall> calls;

    // Answers: audioMasterGetTime gives timeInfo while timeAvailable, else null.
    bool timeAvailable = false;
    VstTimeInfo timeInfo{};
    std::string productString;
    VstIntPtr vendorVersion = 0;
    // Events handed over by audioMasterProcessEvents.
    std::vector<VstMidiEvent> midiEvents;
    std::vector<std::string> sysexDumps;

private:
    static VstIntPtr Callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                              void* ptr, float opt);
    VstIntPtr Answer(VstInt32 opcode, void* ptr);
    void TakeEvents(const VstEvents* events);

    const PluginLibrary& library;
    static TestHost* active;
};

// The Quorvel2 library under test, loaded once per test process.
const PluginLibrary& Quorvel2Library();
