#include "meter/MeterOptions.h"

#include "CLS_QUORVEL.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

using Setter = std::string (*)(MeterOptions& options, const char* name, const std::string& value);

struct OptionRow {
    const char* name;
    const char* valueName; // null for options without a value
    const char* help;
    Setter set;
};

struct Choice {
    const char* text;
    int value;
};

constexpr Choice slopeChoices[] = {{"12", 0}, {"24", 1}};
constexpr Choice targetKindChoices[] = {{"integrated", 0}, {"short-term", 1}, {"momentary", 2}};
constexpr Choice formatChoices[] = {{"text", static_cast<int>(ReportFormat::Text)},
                                    {"json", static_cast<int>(ReportFormat::Json)},
                                    {"csv", static_cast<int>(ReportFormat::Csv)}};

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string Expected(const char* name, const char* what, const std::string& value) {
    return std::string(name) + " expects " + what + ", not " + Quoted(value);
}

bool ParseNumber(const std::string& text, double& out) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    return *end == '\0' && std::isfinite(out);
}

bool ParseWholeNumber(const std::string& text, double& out) {
    return ParseNumber(text, out) && out == std::floor(out);
}

template <size_t count> std::string ChoiceList(const Choice (&choices)[count]) {
    std::string list;
    for (size_t i = 0; i < count; ++i) {
        list += i == 0 ? "" : (i + 1 == count ? " or " : ", ");
        list += choices[i].text;
    }
    return list;
}

template <size_t count>
const Choice* FindChoice(const Choice (&choices)[count], const std::string& text) {
    for (const Choice& choice : choices) {
        if (text == choice.text) {
            return &choice;
        }
    }
    return nullptr;
}

template <bool MeterOptions::*flag>
std::string SetFlag(MeterOptions& options, const char*, const std::string&) {
    options.*flag = true;
    return {};
}

std::string SetPreset(MeterOptions& options, const char*, const std::string& value) {
    options.preset = value;
    return {};
}

template <int paramIndex>
std::string SetNumber(MeterOptions& options, const char* name, const std::string& value) {
    double x = 0.0;
    if (!ParseNumber(value, x)) {
        return Expected(name, "a number", value);
    }
    options.overrides.push_back({paramIndex, x, name});
    return {};
}

template <int paramIndex>
std::string SetWholeNumber(MeterOptions& options, const char* name, const std::string& value) {
    double x = 0.0;
    if (!ParseWholeNumber(value, x)) {
        return Expected(name, "a whole number", value);
    }
    options.overrides.push_back({paramIndex, x, name});
    return {};
}

template <int paramIndex, const auto& choices>
std::string SetChoice(MeterOptions& options, const char* name, const std::string& value) {
    const Choice* choice = FindChoice(choices, value);
    if (choice == nullptr) {
        return Expected(name, ChoiceList(choices).c_str(), value);
    }
    options.overrides.push_back({paramIndex, static_cast<double>(choice->value), name});
    return {};
}

std::string SetFormat(MeterOptions& options, const char* name, const std::string& value) {
    const Choice* choice = FindChoice(formatChoices, value);
    if (choice == nullptr) {
        return Expected(name, ChoiceList(formatChoices).c_str(), value);
    }
    options.format = static_cast<ReportFormat>(choice->value);
    return {};
}

std::string SetBlock(MeterOptions& options, const char* name, const std::string& value) {
    double x = 0.0;
    if (!ParseWholeNumber(value, x) || x < 1 || x > maxBlockFrames) {
        return Expected(
            name, ("a whole number from 1 to " + std::to_string(maxBlockFrames)).c_str(), value);
    }
    options.blockFrames = static_cast<int>(x);
    return {};
}

const OptionRow optionTable[] = {
    {"--preset", "NAME", "start from a factory preset, by its exact name", SetPreset},
    {"--list-presets", nullptr, "list the factory presets", SetFlag<&MeterOptions::listPresets>},
    {"--freq-low", "HZ", "crossover between the low and middle bands",
     SetWholeNumber<ParamFreqLow>},
    {"--freq-high", "HZ", "crossover between the middle and high bands",
     SetWholeNumber<ParamFreqHigh>},
    {"--slope", "12|24", "crossover slope in dB per octave",
     SetChoice<ParamSplit24dB, slopeChoices>},
    {"--target-low", "LUFS", "loudness target of the low band", SetNumber<ParamLowTarget>},
    {"--target-middle", "LUFS", "loudness target of the middle band", SetNumber<ParamMiddleTarget>},
    {"--target-high", "LUFS", "loudness target of the high band", SetNumber<ParamHighTarget>},
    {"--target-kind", "integrated|short-term|momentary", "the reading compared with the targets",
     SetChoice<ParamTargetKind, targetKindChoices>},
    {"--format", "text|json|csv", "report format (default text)", SetFormat},
    {"--block", "N", "frames per processing block (default 512)", SetBlock},
    {"--demo", nullptr, "meter a built-in 30-second programme with the \"Pop\" preset",
     SetFlag<&MeterOptions::demo>},
    {"--help", nullptr, "show this help", SetFlag<&MeterOptions::help>},
    {"--version", nullptr, "show the version", SetFlag<&MeterOptions::version>},
};

const OptionRow* FindOption(const std::string& name) {
    for (const OptionRow& row : optionTable) {
        if (name == row.name) {
            return &row;
        }
    }
    return nullptr;
}

bool IsOption(const std::string& arg) {
    return arg.size() > 1 && arg[0] == '-';
}

// The value a parameter will have once the preset and the overrides are applied.
double EffectiveValue(const IEffectBase& plugin, const MeterOptions& options, int paramIndex) {
    double value = plugin.params[paramIndex].DefaultValue();
    if (options.presetIndex >= 0) {
        plugin.presets[options.presetIndex].values.ReadDouble(paramIndex * 8, &value);
    }
    for (const ParamOverride& given : options.overrides) {
        if (given.paramIndex == paramIndex) {
            value = given.value;
        }
    }
    return value;
}

std::string FormatNumber(double x) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", x);
    return text;
}

} // namespace

std::string ParseMeterOptions(const std::vector<std::string>& args, MeterOptions& options) {
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || !IsOption(arg)) {
            options.files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        const OptionRow* row = FindOption(name);
        if (row == nullptr) {
            return "unknown option " + name;
        }
        std::string value;
        if (equals != std::string::npos) {
            if (row->valueName == nullptr) {
                return name + " takes no value";
            }
            value = arg.substr(equals + 1);
        } else if (row->valueName != nullptr) {
            if (i + 1 == args.size()) {
                return name + " needs a value (" + row->valueName + ")";
            }
            value = args[++i];
        }
        const std::string error = row->set(options, row->name, value);
        if (!error.empty()) {
            return error;
        }
    }
    if (options.help || options.version || options.listPresets) {
        return {};
    }
    if (options.demo && !options.files.empty()) {
        return "--demo measures its own programme and takes no files";
    }
    if (!options.demo && options.files.empty()) {
        return "no files to measure";
    }
    return {};
}

std::string ResolveAgainstPlugin(const IEffectBase& plugin, MeterOptions& options) {
    options.presetIndex = -1;
    if (!options.preset.empty()) {
        for (int i = 0; i < plugin.PresetCount(); ++i) {
            const PresetSlot& slot = plugin.presets[i];
            if (slot.used && !slot.values.Empty() && options.preset == slot.presetName) {
                options.presetIndex = i;
            }
        }
        if (options.presetIndex < 0) {
            return "no factory preset is named " + Quoted(options.preset) +
                   " (--list-presets shows them)";
        }
    }
    for (const ParamOverride& given : options.overrides) {
        const PlugParam& param = plugin.params[given.paramIndex];
        if (given.value < param.MinValue() || given.value > param.MaxValue()) {
            return std::string(given.option) + " " + FormatNumber(given.value) +
                   " is outside the range " + FormatNumber(param.MinValue()) + " to " +
                   FormatNumber(param.MaxValue());
        }
    }
    const double low = EffectiveValue(plugin, options, ParamFreqLow);
    const double high = EffectiveValue(plugin, options, ParamFreqHigh);
    if (low > high) {
        return "the low crossover (" + FormatNumber(low) + " Hz) lies above the high one (" +
               FormatNumber(high) + " Hz)";
    }
    return {};
}

std::string MeterUsage() {
    std::string usage = "Usage: quorvel-meter [OPTIONS] FILE...\n"
                        "       quorvel-meter --demo\n"
                        "Measures audio files (WAV, AIFF, FLAC, Ogg Vorbis; mono or stereo) "
                        "with the Quorvel\nthree-band loudness meter and reports what it shows, "
                        "with the full-band loudness.\n\nOptions:\n";
    const size_t helpColumn = 24;
    for (const OptionRow& row : optionTable) {
        std::string left = std::string("  ") + row.name;
        if (row.valueName != nullptr) {
            left += std::string(" ") + row.valueName;
        }
        left += left.size() < helpColumn ? std::string(helpColumn - left.size(), ' ')
                                         : "\n" + std::string(helpColumn, ' ');
        usage += left + row.help + "\n";
    }
    usage += "\nExplicit options override the preset's values. Exit status: 0 when every file "
             "was\nmeasured, 1 when a file could not be read, 2 for a usage error.\n";
    return usage;
}
