#include "meter/MeterRun.h"

#include <vector>

namespace {

// The unsplit signal metered as ordinary BS.1770 meters do: every frame counts, with no
// silence hold.
class FullBandMeter {
public:
    explicit FullBandMeter(double sampleRate) : rate(sampleRate) { band.ResetBand(); }

    void Feed(const double* left, const double* right, int frames) {
        for (int i = 0; i < frames; ++i) {
            band.BeginSample();
            band.Weight(left[i], 0);
            band.Weight(right[i], 1);
            band.EndSample(true);
        }
    }

    const BandLoudness& Band() const { return band; }

private:
    double rate;
    BandLoudness band{rate};
};

Reading AsReading(double lufs) {
    return lufs > BandLoudness::floorLufs ? Reading(lufs) : std::nullopt;
}

BandReport ReadingsOf(const char* name, const BandLoudness& band, double integratedLufs) {
    return {name,
            AsReading(integratedLufs),
            AsReading(band.maxShortTermLufs),
            AsReading(band.maxMomentaryLufs),
            AsReading(band.shortTermLufs),
            AsReading(band.momentaryLufs),
            std::nullopt,
            std::nullopt};
}

// The reading that the band's difference readout compares with the target.
double ComparedReading(const CLS_QUORVEL& plugin, int b) {
    switch (plugin.targetKind) {
    case 0:
        return plugin.integratedLufs[b];
    case 1:
        return plugin.bands[b].maxShortTermLufs;
    }
    return plugin.bands[b].maxMomentaryLufs;
}

// Converts the integrated value as the band panel does when it paints, then reads the band
// as its panel and difference readout show it.
BandReport PluginBandReport(CLS_QUORVEL& plugin, int b) {
    static const char* const names[CLS_QUORVEL::bandCount] = {"low", "middle", "high"};
    plugin.integratedLufs[b] = plugin.bands[b].IntegratedLufs();
    BandReport report = ReadingsOf(names[b], plugin.bands[b], plugin.integratedLufs[b]);
    report.target = plugin.targetLufs[b];
    report.difference = ReadDifference(ComparedReading(plugin, b), plugin.targetLufs[b]);
    return report;
}

MeterSettings SettingsOf(const CLS_QUORVEL& plugin) {
    return {plugin.lowSplit.FrequencyHz(),
            plugin.highSplit.FrequencyHz(),
            plugin.split24dB ? 24 : 12,
            plugin.targetKind,
            {plugin.targetLufs[0], plugin.targetLufs[1], plugin.targetLufs[2]}};
}

} // namespace

std::unique_ptr<CLS_QUORVEL> CreateMeterPlugin(const MeterOptions& options) {
    auto plugin = std::make_unique<CLS_QUORVEL>(QuorvelAdapter::HostContext{});
    if (options.presetIndex >= 0) {
        plugin->LoadPreset(options.presetIndex);
    }
    for (const ParamOverride& given : options.overrides) {
        plugin->ParamAt(given.paramIndex)->SetClampedValue(given.value);
    }
    plugin->Open();
    return plugin;
}

FileReport MeasureSource(const std::string& name, SampleSource& source, const MeterOptions& options,
                         const ProgressFn& progress) {
    const int block = options.blockFrames;
    const int channels = source.Channels();
    std::unique_ptr<CLS_QUORVEL> plugin = CreateMeterPlugin(options);
    plugin->SetupProcessing(source.SampleRate(), block);
    plugin->Start();
    plugin->SetTransportState(1);
    FullBandMeter full(source.SampleRate());

    // A mono source leaves the right input at zero: the plug-in runs with one input
    // connected, and the full-band meter sees a silent second channel.
    std::vector<double> left(block), right(block, 0.0), outLeft(block), outRight(block);
    double* inputs[2] = {left.data(), right.data()};
    double* outputs[2] = {outLeft.data(), outRight.data()};
    int64_t measured = 0;
    for (int got; (got = source.Read(left.data(), right.data(), block)) > 0;) {
        plugin->ProcessDouble(inputs, outputs, channels, got);
        full.Feed(left.data(), right.data(), got);
        measured += got;
        if (progress && source.Frames() > 0) {
            progress(static_cast<double>(measured) / static_cast<double>(source.Frames()));
        }
    }

    FileReport report{name,
                      source.SampleRate(),
                      channels,
                      static_cast<double>(measured) / source.SampleRate(),
                      SettingsOf(*plugin),
                      {}};
    for (int b = 0; b < CLS_QUORVEL::bandCount; ++b) {
        report.bands[b] = PluginBandReport(*plugin, b);
    }
    report.bands[3] = ReadingsOf("full", full.Band(), full.Band().IntegratedLufs());
    return report;
}
