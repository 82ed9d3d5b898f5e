#pragma once

#include "adapters/vst3/base/Vst3Interfaces.h"

#include <memory>
#include <string>
#include <vector>

namespace vst3 {

// One bus of a component: its name, type, flags and whether the host has activated it.
class Bus {
public:
    Bus(const char* busName, BusType type, uint32 busFlags);
    virtual ~Bus() = default;

    bool isActive() const { return active; }
    void setActive(bool state) { active = state; }
    virtual int32 channelCount() const = 0;
    // Fills everything but media type and direction, which the bus list knows.
    void getInfo(BusInfo& info) const;

private:
    std::string name;
    BusType busType;
    uint32 flags;
    bool active = false;
};

class AudioBus : public Bus {
public:
    AudioBus(const char* busName, BusType type, uint32 busFlags, SpeakerArrangement arr);

    SpeakerArrangement getArrangement() const { return arrangement; }
    int32 channelCount() const override;

private:
    SpeakerArrangement arrangement;
};

class EventBus : public Bus {
public:
    EventBus(const char* busName, BusType type, uint32 busFlags, int32 channelTotal);

    int32 channelCount() const override { return channels; }

private:
    int32 channels;
};

// The buses of one media type and direction, in index order; owns them.
class BusList {
public:
    BusList(MediaType mediaType, BusDirection busDirection);

    int32 size() const { return static_cast<int32>(buses.size()); }
    Bus* at(int32 index) const;
    void append(std::unique_ptr<Bus> bus) { buses.push_back(std::move(bus)); }
    // Puts bus in place of the one at index (which must exist).
    void replace(int32 index, std::unique_ptr<Bus> bus);
    void removeAll() { buses.clear(); }
    bool getInfo(int32 index, BusInfo& info) const;

private:
    MediaType type;
    BusDirection direction;
    std::vector<std::unique_ptr<Bus>> buses;
};

// Number of speakers in an arrangement.
int32 getChannelCount(SpeakerArrangement arrangement);

} // namespace vst3
