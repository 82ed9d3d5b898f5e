#pragma once

#include "meter/MeterOptions.h"
#include "meter/MeterReport.h"
#include "meter/SampleSource.h"

#include "CLS_QUORVEL.h"

#include <functional>
#include <memory>
#include <string>

// Called after each block with the share of the source measured so far (0 to 1).
using ProgressFn = std::function<void(double fraction)>;

// A new meter plug-in with the preset and the explicit parameter values applied, every
// parameter announced as a host does at start-up. The options must have been resolved.
std::unique_ptr<CLS_QUORVEL> CreateMeterPlugin(const MeterOptions& options);

// Runs a fresh meter plug-in over the whole source, in blocks of options.blockFrames frames
// with the transport playing, and reports what it shows along with the full-band loudness.
FileReport MeasureSource(const std::string& name, SampleSource& source, const MeterOptions& options,
                         const ProgressFn& progress);
