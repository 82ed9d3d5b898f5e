#pragma once

// Host-side objects for driving a VST3 plug-in in tests. They live in the test's scope and
// count the references a plug-in takes, so that a test can check that every reference
// taken was given back; a release never deletes them.

#include "adapters/vst3/base/Vst3Interfaces.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

template <class First, class... Rest> class HostObject : public First, public Rest... {
public:
    HostObject() = default;
    HostObject(const HostObject&) = delete;
    HostObject& operator=(const HostObject&) = delete;

    vst3::tresult PLUGIN_API queryInterface(const vst3::TUID iid, void** obj) override {
        if (!obj)
            return vst3::kInvalidArgument;
        *obj = nullptr;
        const bool found = Offer<vst3::FUnknown, First>(iid, obj) || Offer<First>(iid, obj) ||
                           (Offer<Rest>(iid, obj) || ...);
        if (!found)
            return vst3::kNoInterface;
        ++references;
        return vst3::kResultOk;
    }
    vst3::uint32 PLUGIN_API addRef() override { return ++references; }
    vst3::uint32 PLUGIN_API release() override { return --references; }

    // The test's own reference plus those the plug-in holds.
    vst3::uint32 references = 1;

private:
    // Answers interface I, reached through the base Via.
    template <class I, class Via = I> bool Offer(const vst3::TUID iid, void** obj) {
        if (!I::iid.Matches(iid))
            return false;
        *obj = static_cast<I*>(static_cast<Via*>(this));
        return true;
    }
};

class HostApplication : public HostObject<vst3::IHostApplication> {
public:
    explicit HostApplication(std::u16string hostName) : name(std::move(hostName)) {}

    vst3::tresult PLUGIN_API getName(vst3::String128 out) override;
    vst3::tresult PLUGIN_API createInstance(vst3::TUID, vst3::TUID, void** obj) override;

private:
    std::u16string name;
};

// A byte stream in memory. With failAt set, reads fail once they reach that position: the
// read that crosses it delivers the bytes before it and reports a failure. With failsAtEnd
// set, a read that finds nothing left reports a failure, as some hosts' streams do.
class MemoryStream : public HostObject<vst3::IBStream> {
public:
    MemoryStream() = default;
    explicit MemoryStream(std::vector<char> content) : bytes(std::move(content)) {}

    vst3::tresult PLUGIN_API read(void* buffer, vst3::int32 numBytes,
                                  vst3::int32* numBytesRead) override;
    vst3::tresult PLUGIN_API write(void* buffer, vst3::int32 numBytes,
                                   vst3::int32* numBytesWritten) override;
    vst3::tresult PLUGIN_API seek(vst3::int64 pos, vst3::int32 mode, vst3::int64* result) override;
    vst3::tresult PLUGIN_API tell(vst3::int64* pos) override;

    std::vector<char> bytes;
    size_t position = 0;
    size_t failAt = SIZE_MAX;
    bool failsAtEnd = false;
};

class ParamQueue : public HostObject<vst3::IParamValueQueue> {
public:
    explicit ParamQueue(vst3::ParamID paramId) : id(paramId) {}

    vst3::ParamID PLUGIN_API getParameterId() override { return id; }
    vst3::int32 PLUGIN_API getPointCount() override;
    vst3::tresult PLUGIN_API getPoint(vst3::int32 index, vst3::int32& sampleOffset,
                                      vst3::ParamValue& value) override;
    vst3::tresult PLUGIN_API addPoint(vst3::int32 sampleOffset, vst3::ParamValue value,
                                      vst3::int32& index) override;

    vst3::ParamID id;
    std::vector<std::pair<vst3::int32, vst3::ParamValue>> points;
};

class ParameterChanges : public HostObject<vst3::IParameterChanges> {
public:
    // Adds a queue for id with the given (offset, value) points.
    void Add(vst3::ParamID id, std::vector<std::pair<vst3::int32, vst3::ParamValue>> points);

    vst3::int32 PLUGIN_API getParameterCount() override;
    vst3::IParamValueQueue* PLUGIN_API getParameterData(vst3::int32 index) override;
    vst3::IParamValueQueue* PLUGIN_API addParameterData(const vst3::ParamID& id,
                                                        vst3::int32& index) override;

private:
    std::vector<std::unique_ptr<ParamQueue>> queues;
};

class ContextMenu : public HostObject<vst3::IContextMenu> {
public:
    vst3::int32 PLUGIN_API getItemCount() override { return 0; }
    vst3::tresult PLUGIN_API getItem(vst3::int32, vst3::IContextMenuItem&,
                                     vst3::IContextMenuTarget**) override;
    vst3::tresult PLUGIN_API addItem(const vst3::IContextMenuItem&,
                                     vst3::IContextMenuTarget*) override;
    vst3::tresult PLUGIN_API removeItem(const vst3::IContextMenuItem&,
                                        vst3::IContextMenuTarget*) override;
    vst3::tresult PLUGIN_API popup(vst3::int32 x, vst3::int32 y) override;

    std::vector<std::pair<vst3::int32, vst3::int32>> popups;
};

// Records every call as a short text, e.g. "begin 3", "perform 3 0.5", "restart 8".
class ComponentHandler : public HostObject<vst3::IComponentHandler, vst3::IComponentHandler3> {
public:
    vst3::tresult PLUGIN_API beginEdit(vst3::ParamID id) override;
    vst3::tresult PLUGIN_API performEdit(vst3::ParamID id, vst3::ParamValue value) override;
    vst3::tresult PLUGIN_API endEdit(vst3::ParamID id) override;
    vst3::tresult PLUGIN_API restartComponent(vst3::int32 flags) override;
    vst3::IContextMenu* PLUGIN_API createContextMenu(vst3::IPlugView* view,
                                                     const vst3::ParamID* paramId) override;

    std::vector<std::string> calls;
    ContextMenu menu;
};

// Grants every resize request at once, as hosts do, by calling the view's onSize.
class PlugFrame : public HostObject<vst3::IPlugFrame> {
public:
    vst3::tresult PLUGIN_API resizeView(vst3::IPlugView* view, vst3::ViewRect* newSize) override;

    std::vector<vst3::ViewRect> requests;
};
