#include "meter/SoundFileSource.h"

std::unique_ptr<SoundFileSource> SoundFileSource::Open(const std::string& path,
                                                       std::string& error) {
    SF_INFO info = {};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr) {
        error = sf_strerror(nullptr);
        return nullptr;
    }
    if (info.channels < 1 || info.channels > 2) {
        sf_close(file);
        error =
            std::to_string(info.channels) + " channels; only mono and stereo files are measured";
        return nullptr;
    }
    return std::unique_ptr<SoundFileSource>(new SoundFileSource(file, info));
}

SoundFileSource::~SoundFileSource() {
    sf_close(file);
}

int SoundFileSource::Read(double* left, double* right, int frames) {
    interleaved.resize(static_cast<size_t>(frames) * info.channels);
    const int got = static_cast<int>(sf_readf_double(file, interleaved.data(), frames));
    for (int i = 0; i < got; ++i) {
        if (info.channels == 1) {
            left[i] = interleaved[i];
        } else {
            left[i] = interleaved[2 * i];
            right[i] = interleaved[2 * i + 1];
        }
    }
    return got;
}
