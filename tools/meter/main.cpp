// quorvel-meter: runs the Quorvel meter plug-in over audio files and reports what it shows.

#include "meter/DemoProgramme.h"
#include "meter/MeterOptions.h"
#include "meter/MeterRun.h"
#include "meter/ProgressBar.h"
#include "meter/ReportWriter.h"
#include "meter/SoundFileSource.h"

#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int exitFileError = 1;
constexpr int exitUsageError = 2;

int UsageError(const std::string& error) {
    std::cerr << "quorvel-meter: " << error << "\nTry 'quorvel-meter --help'.\n";
    return exitUsageError;
}

void PrintVersion(const CLS_QUORVEL& plugin) {
    char pluginVersion[32];
    plugin.FormatVersion(pluginVersion, sizeof pluginVersion);
    std::cout << "quorvel-meter " << QUORVEL_VERSION << " (" << plugin.effectName << " plug-in "
              << pluginVersion << ")\n";
}

void ListPresets(const CLS_QUORVEL& plugin) {
    for (const PresetSlot& slot : plugin.presets) {
        if (slot.used && !slot.values.Empty()) {
            std::cout << slot.presetName << "\n";
        }
    }
}

FileReport Measure(const std::string& name, SampleSource& source, const MeterOptions& options) {
    ProgressBar bar(name);
    return MeasureSource(name, source, options, [&bar](double fraction) { bar.Update(fraction); });
}

// Measures every file; a file that cannot be read gets a line on stderr and the others are
// still measured. Returns the exit status.
int MeasureFiles(const MeterOptions& options, ReportWriter& writer) {
    int status = 0;
    for (const std::string& path : options.files) {
        std::string error;
        std::unique_ptr<SoundFileSource> source = SoundFileSource::Open(path, error);
        if (source == nullptr) {
            std::cerr << "quorvel-meter: " << path << ": " << error << "\n";
            status = exitFileError;
            continue;
        }
        writer.Add(Measure(path, *source, options));
    }
    return status;
}

} // namespace

int main(int argc, char** argv) {
    MeterOptions options;
    std::string error = ParseMeterOptions(std::vector<std::string>(argv + 1, argv + argc), options);
    if (!error.empty()) {
        return UsageError(error);
    }
    if (options.help) {
        std::cout << MeterUsage();
        return 0;
    }
    const CLS_QUORVEL probe(QuorvelAdapter::HostContext{});
    if (options.version) {
        PrintVersion(probe);
        return 0;
    }
    if (options.listPresets) {
        ListPresets(probe);
        return 0;
    }
    if (options.demo && options.preset.empty()) {
        options.preset = "Pop";
    }
    error = ResolveAgainstPlugin(probe, options);
    if (!error.empty()) {
        return UsageError(error);
    }

    ReportWriter writer(std::cout, options.format);
    int status = 0;
    if (options.demo) {
        MemorySource demo = MakeDemoProgramme();
        writer.Add(Measure("demo programme", demo, options));
    } else {
        status = MeasureFiles(options, writer);
    }
    writer.Finish();
    return status;
}
