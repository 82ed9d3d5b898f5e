#include "adapters/vst3/base/Bus.h"

#include "adapters/vst3/base/Text16.h"

#include <bitset>

namespace vst3 {

Bus::Bus(const char* busName, BusType type, uint32 busFlags)
    : name(busName), busType(type), flags(busFlags), active(busFlags & kDefaultActive) {}

void Bus::getInfo(BusInfo& info) const {
    info.channelCount = channelCount();
    WidenText(info.name, name.c_str());
    info.busType = busType;
    info.flags = flags;
}

AudioBus::AudioBus(const char* busName, BusType type, uint32 busFlags, SpeakerArrangement arr)
    : Bus(busName, type, busFlags), arrangement(arr) {}

int32 AudioBus::channelCount() const {
    return getChannelCount(arrangement);
}

EventBus::EventBus(const char* busName, BusType type, uint32 busFlags, int32 channelTotal)
    : Bus(busName, type, busFlags), channels(channelTotal) {}

BusList::BusList(MediaType mediaType, BusDirection busDirection)
    : type(mediaType), direction(busDirection) {}

Bus* BusList::at(int32 index) const {
    if (index < 0 || index >= size())
        return nullptr;
    return buses[static_cast<size_t>(index)].get();
}

void BusList::replace(int32 index, std::unique_ptr<Bus> bus) {
    buses[static_cast<size_t>(index)] = std::move(bus);
}

bool BusList::getInfo(int32 index, BusInfo& info) const {
    const Bus* bus = at(index);
    if (!bus)
        return false;
    info.mediaType = type;
    info.direction = direction;
    bus->getInfo(info);
    return true;
}

int32 getChannelCount(SpeakerArrangement arrangement) {
    return static_cast<int32>(std::bitset<64>(arrangement).count());
}

} // namespace vst3
