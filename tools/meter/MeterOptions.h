#pragma once

#include <string>
#include <vector>

class IEffectBase;

enum class ReportFormat { Text, Json, Csv };

// A parameter value given on the command line, by parameter index.
struct ParamOverride {
    int paramIndex;
    double value;
    const char* option; // for error messages
};

// What the command line asks for. Parsing checks the syntax only; the values are checked
// against the plug-in's own parameter ranges and preset names by ResolveAgainstPlugin.
struct MeterOptions {
    bool help = false;
    bool version = false;
    bool listPresets = false;
    bool demo = false;
    std::string preset;   // empty: the plug-in's defaults
    int presetIndex = -1; // set by ResolveAgainstPlugin
    std::vector<ParamOverride> overrides;
    ReportFormat format = ReportFormat::Text;
    int blockFrames = 512;
    std::vector<std::string> files;
};

constexpr int maxBlockFrames = 1 << 16;

// Parses the arguments after the program name. Returns an empty text on success, otherwise
// a one-line description of the error.
std::string ParseMeterOptions(const std::vector<std::string>& args, MeterOptions& options);

// Checks the preset name and every parameter value against the plug-in and sets presetIndex.
// Returns an empty text on success, otherwise a one-line description of the error.
std::string ResolveAgainstPlugin(const IEffectBase& plugin, MeterOptions& options);

// The help text, listing every option.
std::string MeterUsage();
