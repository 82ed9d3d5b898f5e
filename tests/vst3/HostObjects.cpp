#include "HostObjects.h"

#include <algorithm>
#include <cstring>

using namespace vst3;

tresult HostApplication::getName(String128 out) {
    const size_t length = std::min<size_t>(name.size(), 127);
    std::copy_n(name.begin(), length, out);
    out[length] = 0;
    return kResultOk;
}

tresult HostApplication::createInstance(TUID, TUID, void** obj) {
    *obj = nullptr;
    return kNotImplemented;
}

tresult MemoryStream::read(void* buffer, int32 numBytes, int32* numBytesRead) {
    const size_t end = std::min({bytes.size(), failAt, position + std::max(numBytes, 0)});
    const size_t count = end - std::min(position, end);
    std::memcpy(buffer, bytes.data() + position, count);
    const bool failed = (position + count >= failAt || (failsAtEnd && count == 0)) && numBytes > 0;
    position += count;
    if (numBytesRead)
        *numBytesRead = static_cast<int32>(count);
    return failed ? kInternalError : kResultOk;
}

tresult MemoryStream::write(void* buffer, int32 numBytes, int32* numBytesWritten) {
    const auto* source = static_cast<const char*>(buffer);
    const size_t count = static_cast<size_t>(std::max(numBytes, 0));
    if (bytes.size() < position + count)
        bytes.resize(position + count);
    std::copy_n(source, count, bytes.begin() + static_cast<std::ptrdiff_t>(position));
    position += count;
    if (numBytesWritten)
        *numBytesWritten = static_cast<int32>(count);
    return kResultOk;
}

tresult MemoryStream::seek(int64 pos, int32 mode, int64* result) {
    const int64 base = mode == kIBSeekCur   ? static_cast<int64>(position)
                       : mode == kIBSeekEnd ? static_cast<int64>(bytes.size())
                                            : 0;
    if (base + pos < 0)
        return kInvalidArgument;
    position = static_cast<size_t>(base + pos);
    if (result)
        *result = static_cast<int64>(position);
    return kResultOk;
}

tresult MemoryStream::tell(int64* pos) {
    if (!pos)
        return kInvalidArgument;
    *pos = static_cast<int64>(position);
    return kResultOk;
}

int32 ParamQueue::getPointCount() {
    return static_cast<int32>(points.size());
}

tresult ParamQueue::getPoint(int32 index, int32& sampleOffset, ParamValue& value) {
    if (index < 0 || index >= getPointCount())
        return kInvalidArgument;
    sampleOffset = points[static_cast<size_t>(index)].first;
    value = points[static_cast<size_t>(index)].second;
    return kResultOk;
}

tresult ParamQueue::addPoint(int32 sampleOffset, ParamValue value, int32& index) {
    index = getPointCount();
    points.emplace_back(sampleOffset, value);
    return kResultOk;
}

void ParameterChanges::Add(ParamID id, std::vector<std::pair<int32, ParamValue>> points) {
    queues.push_back(std::make_unique<ParamQueue>(id));
    queues.back()->points = std::move(points);
}

int32 ParameterChanges::getParameterCount() {
    return static_cast<int32>(queues.size());
}

IParamValueQueue* ParameterChanges::getParameterData(int32 index) {
    if (index < 0 || index >= getParameterCount())
        return nullptr;
    return queues[static_cast<size_t>(index)].get();
}

IParamValueQueue* ParameterChanges::addParameterData(const ParamID& id, int32& index) {
    index = getParameterCount();
    Add(id, {});
    return queues.back().get();
}

tresult ContextMenu::getItem(int32, IContextMenuItem&, IContextMenuTarget**) {
    return kResultFalse;
}

tresult ContextMenu::addItem(const IContextMenuItem&, IContextMenuTarget*) {
    return kResultOk;
}

tresult ContextMenu::removeItem(const IContextMenuItem&, IContextMenuTarget*) {
    return kResultOk;
}

tresult ContextMenu::popup(int32 x, int32 y) {
    popups.emplace_back(x, y);
    return kResultOk;
}

tresult ComponentHandler::beginEdit(ParamID id) {
    calls.push_back("begin " + std::to_string(id));
    return kResultOk;
}

tresult ComponentHandler::performEdit(ParamID id, ParamValue value) {
    calls.push_back("perform " + std::to_string(id) + " " + std::to_string(value));
    return kResultOk;
}

tresult ComponentHandler::endEdit(ParamID id) {
    calls.push_back("end " + std::to_string(id));
    return kResultOk;
}

tresult ComponentHandler::restartComponent(int32 flags) {
    calls.push_back("restart " + std::to_string(flags));
    return kResultOk;
}

IContextMenu* ComponentHandler::createContextMenu(IPlugView*, const ParamID* paramId) {
    calls.push_back("menu " + (paramId ? std::to_string(*paramId) : std::string("none")));
    menu.addRef();
    return &menu;
}

tresult PlugFrame::resizeView(IPlugView* view, ViewRect* newSize) {
    requests.push_back(*newSize);
    return view->onSize(newSize);
}
