// Runs the quorvel-meter executable on files written here with libsndfile.

#include "CLS_QUORVEL.h"

#include <ebur128.h>
#include <gtest/gtest.h>
#include <sndfile.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr double twoPi = 6.283185307179586;

// Interleaved single-precision audio, as written to and read from the files.
struct Signal {
    int channels;
    int rate;
    std::vector<float> samples;

    int Frames() const { return static_cast<int>(samples.size()) / channels; }
};

Signal MakeSignal(int channels, int rate, double seconds,
                  const std::function<double(int channel, double t)>& sample) {
    Signal signal{channels, rate, {}};
    const int frames = static_cast<int>(seconds * rate);
    for (int i = 0; i < frames; ++i) {
        for (int c = 0; c < channels; ++c) {
            signal.samples.push_back(static_cast<float>(sample(c, static_cast<double>(i) / rate)));
        }
    }
    return signal;
}

// Three bands of content at different levels, swelling, with a second of silence that the
// plug-in's silence hold sees.
Signal MusicLike(int channels) {
    return MakeSignal(channels, 44100, 8.0, [](int c, double t) {
        if (t >= 3.0 && t < 4.0) {
            return 0.0;
        }
        const double swell = 0.6 + 0.4 * std::sin(twoPi * 0.3 * t);
        return swell * (0.3 * std::sin(twoPi * 60.0 * t + c) + 0.1 * std::sin(twoPi * 1000.0 * t) +
                        0.05 * std::sin(twoPi * 6000.0 * t + 2.0 * c));
    });
}

// A 1 kHz sine with its peak at -23 dBFS in every channel.
Signal SineAtMinus23(int channels) {
    const double peak = std::pow(10.0, -23.0 / 20.0);
    return MakeSignal(channels, 48000, 20.0,
                      [peak](int, double t) { return peak * std::sin(twoPi * 1000.0 * t); });
}

void WriteWav(const fs::path& path, const Signal& signal) {
    SF_INFO info = {};
    info.channels = signal.channels;
    info.samplerate = signal.rate;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    EXPECT_EQ(sf_writef_float(file, signal.samples.data(), signal.Frames()), signal.Frames());
    sf_close(file);
}

struct ToolRun {
    int status;
    std::string out;
    std::vector<std::string> errorLines;
};

std::string ReadText(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, ',');) {
        fields.push_back(field);
    }
    if (!line.empty() && line.back() == ',') {
        fields.push_back("");
    }
    return fields;
}

// One CSV row of the report as column name -> text.
using CsvRow = std::map<std::string, std::string>;

class MeterTool : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/quorvel-meter-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override { fs::remove_all(dir); }

    fs::path Write(const char* name, const Signal& signal) {
        WriteWav(dir / name, signal);
        return dir / name;
    }

    ToolRun Run(const std::vector<std::string>& args) {
        std::string command = QUORVEL_METER;
        for (const std::string& arg : args) {
            command += " '" + arg + "'";
        }
        command += " >'" + (dir / "out").string() + "' 2>'" + (dir / "err").string() + "'";
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadText(dir / "out"),
                Lines(ReadText(dir / "err"))};
    }

    // The CSV report's rows, keyed by "file band".
    std::map<std::string, CsvRow> RunCsv(std::vector<std::string> args, int expectedStatus = 0) {
        args.insert(args.begin(), {"--format", "csv"});
        const ToolRun run = Run(args);
        EXPECT_EQ(run.status, expectedStatus);
        const std::vector<std::string> lines = Lines(run.out);
        std::map<std::string, CsvRow> rows;
        if (lines.empty()) {
            return rows;
        }
        const std::vector<std::string> header = Fields(lines[0]);
        for (size_t i = 1; i < lines.size(); ++i) {
            const std::vector<std::string> fields = Fields(lines[i]);
            EXPECT_EQ(fields.size(), header.size()) << lines[i];
            CsvRow row;
            for (size_t k = 0; k < header.size() && k < fields.size(); ++k) {
                row[header[k]] = fields[k];
            }
            rows[row["file"] + " " + row["band"]] = row;
        }
        return rows;
    }

    fs::path dir;
};

double Number(const CsvRow& row, const char* column) {
    return std::strtod(row.at(column).c_str(), nullptr);
}

// The plug-in run as a host runs it: every parameter announced, the file's rate, the
// transport playing, blocks of `block` frames with one input per channel of the signal.
void FeedDirectly(CLS_QUORVEL& plugin, const Signal& signal, int block) {
    plugin.Open();
    plugin.SetupProcessing(signal.rate, block);
    plugin.Start();
    plugin.SetTransportState(1);
    std::vector<double> in[2], out[2];
    for (int c = 0; c < 2; ++c) {
        in[c].resize(block);
        out[c].resize(block);
    }
    double* inputs[2] = {in[0].data(), in[1].data()};
    double* outputs[2] = {out[0].data(), out[1].data()};
    for (int start = 0; start < signal.Frames(); start += block) {
        const int frames = std::min(block, signal.Frames() - start);
        for (int i = 0; i < frames; ++i) {
            for (int c = 0; c < signal.channels; ++c) {
                in[c][i] = signal.samples[(start + i) * signal.channels + c];
            }
        }
        plugin.ProcessDouble(inputs, outputs, signal.channels, frames);
    }
}

double Ebur128Integrated(const Signal& signal) {
    ebur128_state* state = ebur128_init(signal.channels, signal.rate, EBUR128_MODE_I);
    ebur128_add_frames_float(state, signal.samples.data(), signal.Frames());
    double loudness = 0.0;
    ebur128_loudness_global(state, &loudness);
    ebur128_destroy(&state);
    return loudness;
}

} // namespace

TEST_F(MeterTool, BandsMatchThePluginFedDirectly) {
    for (int channels : {1, 2}) {
        SCOPED_TRACE(channels);
        const Signal signal = MusicLike(channels);
        const fs::path file = Write("music.wav", signal);
        const std::map<std::string, CsvRow> rows = RunCsv({"--block", "300", file});
        ASSERT_EQ(rows.size(), 4u);

        CLS_QUORVEL plugin(QuorvelAdapter::HostContext{});
        FeedDirectly(plugin, signal, 300);
        const char* const names[] = {"low", "middle", "high"};
        for (int b = 0; b < 3; ++b) {
            const CsvRow& row = rows.at(file.string() + " " + names[b]);
            const BandLoudness& band = plugin.bands[b];
            EXPECT_EQ(Number(row, "integrated"), band.IntegratedLufs()) << names[b];
            EXPECT_EQ(Number(row, "maxShortTerm"), band.maxShortTermLufs) << names[b];
            EXPECT_EQ(Number(row, "maxMomentary"), band.maxMomentaryLufs) << names[b];
            EXPECT_EQ(Number(row, "shortTerm"), band.shortTermLufs) << names[b];
            EXPECT_EQ(Number(row, "momentary"), band.momentaryLufs) << names[b];
            EXPECT_EQ(Number(row, "target"), -20.0);
            EXPECT_EQ(Number(row, "difference"), band.IntegratedLufs() + 20.0);
        }
        EXPECT_EQ(rows.at(file.string() + " low").at("channels"), std::to_string(channels));
    }
}

TEST_F(MeterTool, SineAtMinus23DbfsReadsAsLibebur128Does) {
    // One channel alone reads 3 dB below the same sine in both channels.
    const struct {
        int channels;
        double lufs;
    } cases[] = {{2, -23.0}, {1, -26.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.channels);
        const Signal signal = SineAtMinus23(c.channels);
        const fs::path file = Write("sine.wav", signal);
        const std::map<std::string, CsvRow> rows = RunCsv({file});
        const CsvRow& full = rows.at(file.string() + " full");
        const double reference = Ebur128Integrated(signal);
        EXPECT_NEAR(reference, c.lufs, 0.1);
        EXPECT_NEAR(Number(full, "integrated"), c.lufs, 0.1);
        EXPECT_NEAR(Number(full, "integrated"), reference, 0.05);
        EXPECT_NEAR(Number(full, "maxMomentary"), c.lufs, 0.1);
        // 1 kHz lies in the middle band, which reads like the whole within the crossover's
        // ripple.
        EXPECT_NEAR(Number(rows.at(file.string() + " middle"), "integrated"), c.lufs, 0.2);
    }
}

TEST_F(MeterTool, UnreadableFilesAreNamedAndTheOthersStillReported) {
    const fs::path first = Write("first.wav", SineAtMinus23(2));
    const fs::path three = Write("three.wav", SineAtMinus23(3));
    const fs::path missing = dir / "missing.wav";
    const fs::path last = Write("last.wav", SineAtMinus23(1));
    const std::map<std::string, CsvRow> rows = RunCsv({first, three, missing, last}, 1);
    EXPECT_EQ(rows.size(), 8u);
    EXPECT_EQ(rows.count(first.string() + " full"), 1u);
    EXPECT_EQ(rows.count(last.string() + " full"), 1u);

    const std::vector<std::string> errors = Run({first, three, missing, last}).errorLines;
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0], "quorvel-meter: " + three.string() +
                             ": 3 channels; only mono and stereo files are measured");
    EXPECT_EQ(errors[1].rfind("quorvel-meter: " + missing.string() + ": ", 0), 0u) << errors[1];
}

TEST_F(MeterTool, UsageErrorsExitWithStatus2AndMeasureNothing) {
    const fs::path file = Write("sine.wav", SineAtMinus23(2));
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--target-low", "-50", file}, {"--nonsense", file}}) {
        const ToolRun run = Run(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        ASSERT_FALSE(run.errorLines.empty());
    }
}
