#pragma once

#include "meter/SampleSource.h"

#include <sndfile.h>

#include <memory>
#include <string>
#include <vector>

// An audio file read through libsndfile; samples come normalised to [-1, 1).
class SoundFileSource : public SampleSource {
public:
    // Opens a mono or stereo file. On failure returns null and a one-line reason in error.
    static std::unique_ptr<SoundFileSource> Open(const std::string& path, std::string& error);

    ~SoundFileSource() override;
    SoundFileSource(const SoundFileSource&) = delete;
    SoundFileSource& operator=(const SoundFileSource&) = delete;

    double SampleRate() const override { return info.samplerate; }
    int Channels() const override { return info.channels; }
    int64_t Frames() const override { return info.frames; }
    int Read(double* left, double* right, int frames) override;

private:
    SoundFileSource(SNDFILE* file, const SF_INFO& info) : file(file), info(info) {}

    SNDFILE* file;
    SF_INFO info;
    std::vector<double> interleaved;
};
