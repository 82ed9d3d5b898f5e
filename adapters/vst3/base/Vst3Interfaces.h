#pragma once

// The VST3 interfaces and records this module exchanges with hosts: interface ids, method
// order and record layouts of the binary interface. Interfaces have no destructor, so their
// vtables hold exactly the methods listed, in order.

#include "adapters/vst3/base/Vst3Types.h"

#include <cstddef>

namespace vst3 {

// Enumerations.
enum MediaTypes : int32 { kAudio = 0, kEvent = 1 };
enum BusDirections : int32 { kInput = 0, kOutput = 1 };
enum BusTypes : int32 { kMain = 0, kAux = 1 };
enum BusFlags : uint32 { kDefaultActive = 1 };
enum ProcessModes : int32 { kRealtime = 0, kPrefetch = 1, kOffline = 2 };
enum SymbolicSampleSizes : int32 { kSample32 = 0, kSample64 = 1 };
enum RestartFlags : int32 { kLatencyChanged = 0x8 };
enum ParameterFlags : int32 { kCanAutomate = 0x1, kIsList = 0x8, kIsProgramChange = 0x8000 };
enum ProcessContextStates : uint32 { kPlaying = 0x2, kCycleActive = 0x4, kRecording = 0x8 };
enum EventTypes : uint16 { kNoteOnEvent = 0, kNoteOffEvent = 1 };
enum FactoryFlags : int32 { kUnicode = 16 };
enum ComponentFlags : uint32 { kSimpleModeSupported = 2 };
enum SeekModes : int32 { kIBSeekSet = 0, kIBSeekCur = 1, kIBSeekEnd = 2 };

constexpr UnitID kRootUnitId = 0;
constexpr UnitID kNoParentUnitId = -1;
constexpr ProgramListID kNoProgramListId = -1;
constexpr int32 kManyInstances = 0x7FFFFFFF;

namespace Speaker {
constexpr SpeakerArrangement L = 1 << 0, R = 1 << 1, C = 1 << 2, Lfe = 1 << 3, Ls = 1 << 4,
                             Rs = 1 << 5, S = 1 << 8, M = 1 << 19, W = 1 << 20, X = 1 << 21,
                             Y = 1 << 22, Z = 1 << 23;
} // namespace Speaker

namespace SpeakerArr {
constexpr SpeakerArrangement kEmpty = 0;
constexpr SpeakerArrangement kMono = Speaker::M;
constexpr SpeakerArrangement kStereo = Speaker::L | Speaker::R;
constexpr SpeakerArrangement k30Music = Speaker::L | Speaker::R | Speaker::S;
constexpr SpeakerArrangement kBFormat = Speaker::W | Speaker::X | Speaker::Y | Speaker::Z;
constexpr SpeakerArrangement k50 = Speaker::L | Speaker::R | Speaker::C | Speaker::Ls | Speaker::Rs;
constexpr SpeakerArrangement k51 = k50 | Speaker::Lfe;
} // namespace SpeakerArr

// Records.
struct PFactoryInfo {
    char8 vendor[64];
    char8 url[256];
    char8 email[128];
    int32 flags;
};

struct PClassInfo2 {
    TUID cid;
    int32 cardinality;
    char8 category[32];
    char8 name[64];
    uint32 classFlags;
    char8 subCategories[128];
    char8 vendor[64];
    char8 version[64];
    char8 sdkVersion[64];
};
// The first four fields of PClassInfo2.
struct PClassInfo {
    TUID cid;
    int32 cardinality;
    char8 category[32];
    char8 name[64];
};

struct BusInfo {
    MediaType mediaType;
    BusDirection direction;
    int32 channelCount;
    String128 name;
    BusType busType;
    uint32 flags;
};

struct RoutingInfo {
    MediaType mediaType;
    int32 busIndex;
    int32 channel;
};

struct ProcessSetup {
    int32 processMode;
    int32 symbolicSampleSize;
    int32 maxSamplesPerBlock;
    double sampleRate;
};

struct AudioBusBuffers {
    int32 numChannels;
    uint64 silenceFlags;
    union {
        float** channelBuffers32;
        double** channelBuffers64;
    };
};

struct FrameRate {
    uint32 framesPerSecond;
    uint32 flags;
};

struct Chord {
    uint8 keyNote;
    uint8 rootNote;
    int16 chordMask;
};

struct ProcessContext {
    uint32 state;
    double sampleRate;
    int64 projectTimeSamples;
    int64 systemTime;
    int64 continousTimeSamples;
    double projectTimeMusic;
    double barPositionMusic;
    double cycleStartMusic;
    double cycleEndMusic;
    double tempo;
    int32 timeSigNumerator;
    int32 timeSigDenominator;
    Chord chord;
    int32 smpteOffsetSubframes;
    FrameRate frameRate;
    int32 samplesToNextClock;
};

struct IParameterChanges;
struct IEventList;

struct ProcessData {
    int32 processMode;
    int32 symbolicSampleSize;
    int32 numSamples;
    int32 numInputs;
    int32 numOutputs;
    AudioBusBuffers* inputs;
    AudioBusBuffers* outputs;
    IParameterChanges* inputParameterChanges;
    IParameterChanges* outputParameterChanges;
    IEventList* inputEvents;
    IEventList* outputEvents;
    ProcessContext* processContext;
};

struct ParameterInfo {
    ParamID id;
    String128 title;
    String128 shortTitle;
    String128 units;
    int32 stepCount;
    ParamValue defaultNormalizedValue;
    UnitID unitId;
    int32 flags;
};

struct UnitInfo {
    UnitID id;
    UnitID parentUnitId;
    String128 name;
    ProgramListID programListId;
};

struct ProgramListInfo {
    ProgramListID id;
    String128 name;
    int32 programCount;
};

struct ViewRect {
    int32 left;
    int32 top;
    int32 right;
    int32 bottom;
};

struct NoteOnEvent {
    int16 channel;
    int16 pitch;
    float tuning;
    float velocity;
    int32 length;
    int32 noteId;
};

struct NoteOffEvent {
    int16 channel;
    int16 pitch;
    float velocity;
    int32 noteId;
    float tuning;
};

struct Event {
    int32 busIndex;
    int32 sampleOffset;
    double ppqPosition;
    uint16 flags;
    uint16 type;
    union {
        NoteOnEvent noteOn;
        NoteOffEvent noteOff;
        uint64 storage[3]; // size and alignment of the largest event record
    };
};

// Interfaces.
struct FUnknown {
    static constexpr FUID iid{0x00000000, 0x00000000, 0xC0000000, 0x00000046};
    virtual tresult PLUGIN_API queryInterface(const TUID iid, void** obj) = 0;
    virtual uint32 PLUGIN_API addRef() = 0;
    virtual uint32 PLUGIN_API release() = 0;
};

struct IPluginBase : FUnknown {
    static constexpr FUID iid{0x22888DDB, 0x156E45AE, 0x8358B348, 0x08190625};
    virtual tresult PLUGIN_API initialize(FUnknown* context) = 0;
    virtual tresult PLUGIN_API terminate() = 0;
};

struct IPluginFactory : FUnknown {
    static constexpr FUID iid{0x7A4D811C, 0x52114A1F, 0xAED9D2EE, 0x0B43BF9F};
    virtual tresult PLUGIN_API getFactoryInfo(PFactoryInfo* info) = 0;
    virtual int32 PLUGIN_API countClasses() = 0;
    virtual tresult PLUGIN_API getClassInfo(int32 index, PClassInfo* info) = 0;
    virtual tresult PLUGIN_API createInstance(FIDString cid, FIDString iid, void** obj) = 0;
};

struct IPluginFactory2 : IPluginFactory {
    static constexpr FUID iid{0x0007B650, 0xF24B4C0B, 0xA464EDB9, 0xF00B2ABB};
    virtual tresult PLUGIN_API getClassInfo2(int32 index, PClassInfo2* info) = 0;
};

struct IBStream : FUnknown {
    static constexpr FUID iid{0xC3BF6EA2, 0x30994752, 0x9B6BF990, 0x1EE33E9B};
    virtual tresult PLUGIN_API read(void* buffer, int32 numBytes, int32* numBytesRead) = 0;
    virtual tresult PLUGIN_API write(void* buffer, int32 numBytes, int32* numBytesWritten) = 0;
    virtual tresult PLUGIN_API seek(int64 pos, int32 mode, int64* result) = 0;
    virtual tresult PLUGIN_API tell(int64* pos) = 0;
};

struct IComponent : IPluginBase {
    static constexpr FUID iid{0xE831FF31, 0xF2D54301, 0x928EBBEE, 0x25697802};
    virtual tresult PLUGIN_API getControllerClassId(TUID classId) = 0;
    virtual tresult PLUGIN_API setIoMode(int32 mode) = 0;
    virtual int32 PLUGIN_API getBusCount(MediaType type, BusDirection dir) = 0;
    virtual tresult PLUGIN_API getBusInfo(MediaType type, BusDirection dir, int32 index,
                                          BusInfo& bus) = 0;
    virtual tresult PLUGIN_API getRoutingInfo(RoutingInfo& inInfo, RoutingInfo& outInfo) = 0;
    virtual tresult PLUGIN_API activateBus(MediaType type, BusDirection dir, int32 index,
                                           TBool state) = 0;
    virtual tresult PLUGIN_API setActive(TBool state) = 0;
    virtual tresult PLUGIN_API setState(IBStream* state) = 0;
    virtual tresult PLUGIN_API getState(IBStream* state) = 0;
};

struct IAudioProcessor : FUnknown {
    static constexpr FUID iid{0x42043F99, 0xB7DA453C, 0xA569E79D, 0x9AAEC33D};
    virtual tresult PLUGIN_API setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                                  SpeakerArrangement* outputs, int32 numOuts) = 0;
    virtual tresult PLUGIN_API getBusArrangement(BusDirection dir, int32 index,
                                                 SpeakerArrangement& arr) = 0;
    virtual tresult PLUGIN_API canProcessSampleSize(int32 symbolicSampleSize) = 0;
    virtual uint32 PLUGIN_API getLatencySamples() = 0;
    virtual tresult PLUGIN_API setupProcessing(ProcessSetup& setup) = 0;
    virtual tresult PLUGIN_API setProcessing(TBool state) = 0;
    virtual tresult PLUGIN_API process(ProcessData& data) = 0;
    virtual uint32 PLUGIN_API getTailSamples() = 0;
};

struct IPlugView;
struct IComponentHandler;

struct IEditController : IPluginBase {
    static constexpr FUID iid{0xDCD7BBE3, 0x7742448D, 0xA874AACC, 0x979C759E};
    virtual tresult PLUGIN_API setComponentState(IBStream* state) = 0;
    virtual tresult PLUGIN_API setState(IBStream* state) = 0;
    virtual tresult PLUGIN_API getState(IBStream* state) = 0;
    virtual int32 PLUGIN_API getParameterCount() = 0;
    virtual tresult PLUGIN_API getParameterInfo(int32 paramIndex, ParameterInfo& info) = 0;
    virtual tresult PLUGIN_API getParamStringByValue(ParamID id, ParamValue valueNormalized,
                                                     String128 string) = 0;
    virtual tresult PLUGIN_API getParamValueByString(ParamID id, TChar* string,
                                                     ParamValue& valueNormalized) = 0;
    virtual ParamValue PLUGIN_API normalizedParamToPlain(ParamID id,
                                                         ParamValue valueNormalized) = 0;
    virtual ParamValue PLUGIN_API plainParamToNormalized(ParamID id, ParamValue plainValue) = 0;
    virtual ParamValue PLUGIN_API getParamNormalized(ParamID id) = 0;
    virtual tresult PLUGIN_API setParamNormalized(ParamID id, ParamValue value) = 0;
    virtual tresult PLUGIN_API setComponentHandler(IComponentHandler* handler) = 0;
    virtual IPlugView* PLUGIN_API createView(FIDString name) = 0;
};

struct IEditController2 : FUnknown {
    static constexpr FUID iid{0x7F4EFE59, 0xF3204967, 0xAC27A3AE, 0xAFB63038};
    virtual tresult PLUGIN_API setKnobMode(int32 mode) = 0;
    virtual tresult PLUGIN_API openHelp(TBool onlyCheck) = 0;
    virtual tresult PLUGIN_API openAboutBox(TBool onlyCheck) = 0;
};

struct IMessage;

struct IConnectionPoint : FUnknown {
    static constexpr FUID iid{0x70A4156F, 0x6E6E4026, 0x989148BF, 0xAA60D8D1};
    virtual tresult PLUGIN_API connect(IConnectionPoint* other) = 0;
    virtual tresult PLUGIN_API disconnect(IConnectionPoint* other) = 0;
    virtual tresult PLUGIN_API notify(IMessage* message) = 0;
};

struct IUnitInfo : FUnknown {
    static constexpr FUID iid{0x3D4BD6B5, 0x913A4FD2, 0xA886E768, 0xA5EB92C1};
    virtual int32 PLUGIN_API getUnitCount() = 0;
    virtual tresult PLUGIN_API getUnitInfo(int32 unitIndex, UnitInfo& info) = 0;
    virtual int32 PLUGIN_API getProgramListCount() = 0;
    virtual tresult PLUGIN_API getProgramListInfo(int32 listIndex, ProgramListInfo& info) = 0;
    virtual tresult PLUGIN_API getProgramName(ProgramListID listId, int32 programIndex,
                                              String128 name) = 0;
    virtual tresult PLUGIN_API getProgramInfo(ProgramListID listId, int32 programIndex,
                                              const char8* attributeId,
                                              String128 attributeValue) = 0;
    virtual tresult PLUGIN_API hasProgramPitchNames(ProgramListID listId, int32 programIndex) = 0;
    virtual tresult PLUGIN_API getProgramPitchName(ProgramListID listId, int32 programIndex,
                                                   int16 midiPitch, String128 name) = 0;
    virtual UnitID PLUGIN_API getSelectedUnit() = 0;
    virtual tresult PLUGIN_API selectUnit(UnitID unitId) = 0;
    virtual tresult PLUGIN_API getUnitByBus(MediaType type, BusDirection dir, int32 busIndex,
                                            int32 channel, UnitID& unitId) = 0;
    virtual tresult PLUGIN_API setUnitProgramData(int32 listOrUnitId, int32 programIndex,
                                                  IBStream* data) = 0;
};

struct IComponentHandler : FUnknown {
    static constexpr FUID iid{0x93A0BEA3, 0x0BD045DB, 0x8E890B0C, 0xC1E46AC6};
    virtual tresult PLUGIN_API beginEdit(ParamID id) = 0;
    virtual tresult PLUGIN_API performEdit(ParamID id, ParamValue valueNormalized) = 0;
    virtual tresult PLUGIN_API endEdit(ParamID id) = 0;
    virtual tresult PLUGIN_API restartComponent(int32 flags) = 0;
};

struct IContextMenuItem {
    String128 name;
    int32 tag;
    int32 flags;
};

struct IContextMenuTarget;

struct IContextMenu : FUnknown {
    static constexpr FUID iid{0x2E93C863, 0x0C9C4588, 0x97DBECF5, 0xAD17817D};
    virtual int32 PLUGIN_API getItemCount() = 0;
    virtual tresult PLUGIN_API getItem(int32 index, IContextMenuItem& item,
                                       IContextMenuTarget** target) = 0;
    virtual tresult PLUGIN_API addItem(const IContextMenuItem& item,
                                       IContextMenuTarget* target) = 0;
    virtual tresult PLUGIN_API removeItem(const IContextMenuItem& item,
                                          IContextMenuTarget* target) = 0;
    virtual tresult PLUGIN_API popup(int32 x, int32 y) = 0;
};

struct IComponentHandler3 : FUnknown {
    static constexpr FUID iid{0x69F11617, 0xD26B400D, 0xA4B6B964, 0x7B6EBBAB};
    virtual IContextMenu* PLUGIN_API createContextMenu(IPlugView* plugView,
                                                       const ParamID* paramId) = 0;
};

struct IHostApplication : FUnknown {
    static constexpr FUID iid{0x58E595CC, 0xDB2D4969, 0x8B6AAF8C, 0x36A664E5};
    virtual tresult PLUGIN_API getName(String128 name) = 0;
    virtual tresult PLUGIN_API createInstance(TUID cid, TUID iid, void** obj) = 0;
};

struct IParamValueQueue : FUnknown {
    static constexpr FUID iid{0x01263A18, 0xED074F6F, 0x98C9D356, 0x4686F9BA};
    virtual ParamID PLUGIN_API getParameterId() = 0;
    virtual int32 PLUGIN_API getPointCount() = 0;
    virtual tresult PLUGIN_API getPoint(int32 index, int32& sampleOffset, ParamValue& value) = 0;
    virtual tresult PLUGIN_API addPoint(int32 sampleOffset, ParamValue value, int32& index) = 0;
};

struct IParameterChanges : FUnknown {
    static constexpr FUID iid{0xA4779663, 0x0BB64A56, 0xB44384A8, 0x466FEB9D};
    virtual int32 PLUGIN_API getParameterCount() = 0;
    virtual IParamValueQueue* PLUGIN_API getParameterData(int32 index) = 0;
    virtual IParamValueQueue* PLUGIN_API addParameterData(const ParamID& id, int32& index) = 0;
};

struct IEventList : FUnknown {
    static constexpr FUID iid{0x3A2C4214, 0x346349FE, 0xB2C4F397, 0xB9695A44};
    virtual int32 PLUGIN_API getEventCount() = 0;
    virtual tresult PLUGIN_API getEvent(int32 index, Event& e) = 0;
    virtual tresult PLUGIN_API addEvent(Event& e) = 0;
};

struct IPlugFrame;

struct IPlugView : FUnknown {
    static constexpr FUID iid{0x5BC32507, 0xD06049EA, 0xA6151B52, 0x2B755B29};
    virtual tresult PLUGIN_API isPlatformTypeSupported(FIDString type) = 0;
    virtual tresult PLUGIN_API attached(void* parent, FIDString type) = 0;
    virtual tresult PLUGIN_API removed() = 0;
    virtual tresult PLUGIN_API onWheel(float distance) = 0;
    virtual tresult PLUGIN_API onKeyDown(char16 key, int16 keyCode, int16 modifiers) = 0;
    virtual tresult PLUGIN_API onKeyUp(char16 key, int16 keyCode, int16 modifiers) = 0;
    virtual tresult PLUGIN_API getSize(ViewRect* size) = 0;
    virtual tresult PLUGIN_API onSize(ViewRect* newSize) = 0;
    virtual tresult PLUGIN_API onFocus(TBool state) = 0;
    virtual tresult PLUGIN_API setFrame(IPlugFrame* frame) = 0;
    virtual tresult PLUGIN_API canResize() = 0;
    virtual tresult PLUGIN_API checkSizeConstraint(ViewRect* rect) = 0;
};

struct IPlugFrame : FUnknown {
    static constexpr FUID iid{0x367FAF01, 0xAFA94693, 0x8D4DA2A0, 0xED0882A3};
    virtual tresult PLUGIN_API resizeView(IPlugView* view, ViewRect* newSize) = 0;
};

constexpr const char* kPlatformTypeHWND = "HWND";
constexpr const char* kEditorViewType = "editor";

// The layouts hosts compiled against.
static_assert(sizeof(PFactoryInfo) == 452);
static_assert(sizeof(PClassInfo) == 116);
static_assert(sizeof(PClassInfo2) == 440 && offsetof(PClassInfo2, classFlags) == 116);
static_assert(sizeof(BusInfo) == 276 && offsetof(BusInfo, busType) == 268);
static_assert(sizeof(ProcessSetup) == 24 && offsetof(ProcessSetup, sampleRate) == 16);
static_assert(sizeof(AudioBusBuffers) == 24);
static_assert(sizeof(ProcessData) == 80 && offsetof(ProcessData, processContext) == 72);
static_assert(sizeof(ProcessContext) == 112 && offsetof(ProcessContext, tempo) == 72 &&
              offsetof(ProcessContext, frameRate) == 96);
static_assert(sizeof(ParameterInfo) == 792 && offsetof(ParameterInfo, stepCount) == 772 &&
              offsetof(ParameterInfo, defaultNormalizedValue) == 776);
static_assert(sizeof(UnitInfo) == 268 && sizeof(ProgramListInfo) == 264);
static_assert(sizeof(ViewRect) == 16);
static_assert(sizeof(Event) == 48 && offsetof(Event, noteOn) == 24 &&
              offsetof(Event, noteOff) + offsetof(NoteOffEvent, noteId) == 32);

} // namespace vst3
