// State and preset operations of the plug-in base.
#include "framework/IEffectBase.h"

#include "framework/TextCopy.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

bool IEffectBase::WriteParamValues(ChunkBuffer* chunk) {
    if (chunk == nullptr) {
        return false;
    }
    std::lock_guard<std::recursive_mutex> lock(pluginLock);
    for (const PlugParam& param : params) {
        chunk->AppendDouble(param.Value());
    }
    return !chunk->Empty();
}

// A value that is not complete is not used: the parameter it would belong to, and every
// later one, keep their values, and the result is -1. A value that is not a number is not
// used either: its parameter keeps its value, the others are read, and the result is -1.
int IEffectBase::ReadParamValues(const ChunkBuffer* chunk, int pos) {
    if (chunk == nullptr) {
        return -1;
    }
    std::lock_guard<std::recursive_mutex> lock(pluginLock);
    bool allNumbers = true;
    for (int i = 0; i < ParamCount() && pos >= 0; ++i) {
        double stored = 0.0;
        pos = chunk->ReadDouble(pos, &stored);
        if (pos < 0) {
            break;
        }
        if (std::isnan(stored)) {
            allNumbers = false;
        } else if (ShouldRestoreParam(i, currentPresetIndex)) {
            params[i].SetClampedValue(stored);
            NotifyParamChanged(i);
        }
    }
    return allNumbers ? pos : -1;
}

bool IEffectBase::WritePresets(ChunkBuffer* chunk) {
    if (chunk == nullptr) {
        return false;
    }
    std::lock_guard<std::recursive_mutex> lock(pluginLock);
    for (const PresetSlot& slot : presets) {
        chunk->AppendString(slot.presetName);
        chunk->AppendByte(slot.used ? 1 : 0);
        if (slot.used) {
            chunk->AppendBytes(slot.values.Data(), slot.values.Size());
            if (chunk->Empty()) {
                return false;
            }
        }
    }
    return true;
}

int IEffectBase::ReadPresets(const ChunkBuffer* chunk, int pos) {
    if (chunk == nullptr) {
        return -1;
    }
    std::lock_guard<std::recursive_mutex> lock(pluginLock);
    for (PresetSlot& slot : presets) {
        if (pos < 0) {
            break;
        }
        pos = chunk->ReadString(pos, slot.presetName, sizeof slot.presetName);
        uint8_t used = 0;
        pos = chunk->ReadByte(pos, &used);
        if (pos < 0) {
            break;
        }
        slot.used = used != 0;
        if (slot.used) {
            pos = ReadParamValues(chunk, pos);
            if (pos > 0) {
                slot.values.Clear();
                WriteParamValues(&slot.values);
            }
        }
    }
    LoadPreset(currentPresetIndex);
    return pos;
}

int IEffectBase::UserPresetCount() const {
    int count = 0;
    for (const PresetSlot& slot : presets) {
        if (std::strstr(slot.presetName, "user preset") != nullptr) {
            ++count;
        }
    }
    return count;
}

bool IEffectBase::LoadPreset(int presetIndex) {
    std::lock_guard<std::recursive_mutex> lock(pluginLock);
    if (presetIndex < 0 || presetIndex >= PresetCount()) {
        return false;
    }
    PresetSlot& slot = presets[presetIndex];
    if (slot.used) {
        currentPresetIndex = presetIndex;
        if (ReadParamValues(&slot.values, 0) < 1) {
            return false;
        }
    } else {
        slot.used = true;
        const int number = UserPresetCount() + 1;
        std::snprintf(slot.presetName, sizeof slot.presetName, "%s %d", "user preset", number);
    }
    currentPresetIndex = presetIndex;
    RefreshEditorFromParams();
    return true;
}

const char* IEffectBase::PresetNameAt(int presetIndex) const {
    if (presetIndex < 0 || presetIndex >= PresetCount()) {
        return "";
    }
    return presets[presetIndex].presetName;
}

void IEffectBase::StoreCurrentPreset(const char* newName) {
    std::lock_guard<std::recursive_mutex> lock(pluginLock);
    const int index = currentPresetIndex;
    if (index < 0 || index >= PresetCount()) {
        return;
    }
    PresetSlot& slot = presets[index];
    slot.values.Clear();
    WriteParamValues(&slot.values);
    if (newName != nullptr && newName[0] != '\0') {
        CopyText(slot.presetName, sizeof slot.presetName, newName);
    }
}

PresetSlot* IEffectBase::FirstFreePreset() {
    for (PresetSlot& slot : presets) {
        if (!slot.used) {
            return &slot;
        }
    }
    return nullptr;
}

// Each slot filled here keeps the values current now, so that loading it later restores them.
void IEffectBase::AddDefaultPresets(const char* name, int count) {
    for (int i = 0; i < count; ++i) {
        PresetSlot* slot = FirstFreePreset();
        if (slot == nullptr) {
            return;
        }
        slot->used = true;
        CopyText(slot->presetName, sizeof slot->presetName, name != nullptr ? name : "Default");
        WriteParamValues(&slot->values);
    }
}

void IEffectBase::AddPresetWithValues(const char* name, ...) {
    PresetSlot* slot = FirstFreePreset();
    if (slot == nullptr) {
        return;
    }
    slot->used = true;
    CopyText(slot->presetName, sizeof slot->presetName, name);
    va_list values;
    va_start(values, name);
    for (const PlugParam& param : params) {
        const bool isDouble = param.Kind() == ParamContinuous;
        slot->values.AppendDouble(isDouble ? va_arg(values, double) : va_arg(values, int));
    }
    va_end(values);
}
