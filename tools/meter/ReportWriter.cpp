#include "meter/ReportWriter.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

std::string Fixed2(double x) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", x);
    return text;
}

std::string ExactOrEmpty(const Reading& value, const char* none) {
    return value ? ExactNumber(*value) : none;
}

std::string JsonString(const std::string& text) {
    std::string quoted = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += static_cast<char>(c);
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            quoted += escaped;
        } else {
            quoted += static_cast<char>(c);
        }
    }
    return quoted + "\"";
}

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c == '"' ? "\"\"" : std::string(1, c);
    }
    return quoted + "\"";
}

// The readings of a band in report order, with their JSON and CSV names.
struct NamedReading {
    const char* name;
    const Reading BandReport::*reading;
};

const NamedReading bandReadings[] = {
    {"integrated", &BandReport::integrated},     {"maxShortTerm", &BandReport::maxShortTerm},
    {"maxMomentary", &BandReport::maxMomentary}, {"shortTerm", &BandReport::shortTerm},
    {"momentary", &BandReport::momentary},       {"target", &BandReport::target},
};

Reading DifferenceOf(const BandReport& band) {
    return band.difference ? Reading(band.difference->lu) : std::nullopt;
}

std::string VerdictOf(const BandReport& band, const std::string& none) {
    return band.difference ? VerdictText(band.difference->verdict) : none;
}

// Text columns: title and width; the band and verdict columns are aligned left.
struct TextColumn {
    const char* title;
    int width;
};

const TextColumn textColumns[] = {{"band", 6},        {"integrated", 10}, {"max short", 10},
                                  {"max moment", 10}, {"short-term", 10}, {"momentary", 10},
                                  {"target", 7},      {"difference", 10}, {"verdict", 0}};

std::string TextRow(const std::string (&cells)[std::size(textColumns)]) {
    std::string row;
    for (size_t i = 0; i < std::size(textColumns); ++i) {
        const std::string& cell = cells[i];
        const size_t width = static_cast<size_t>(textColumns[i].width);
        const std::string pad(cell.size() < width ? width - cell.size() : 0, ' ');
        const bool leftAligned = i == 0 || i + 1 == std::size(textColumns);
        row += "  " + (leftAligned ? cell + pad : pad + cell);
    }
    while (!row.empty() && row.back() == ' ') {
        row.pop_back();
    }
    return row + "\n";
}

std::string TextValue(const Reading& value) {
    return value ? Fixed2(*value) : "-";
}

const char* const csvHeader =
    "file,sampleRate,channels,seconds,freqLow,freqHigh,slope,targetKind,band,integrated,"
    "maxShortTerm,maxMomentary,shortTerm,momentary,target,difference,verdict\n";

} // namespace

std::string ExactNumber(double x) {
    char text[32];
    const std::to_chars_result result = std::to_chars(text, text + sizeof text, x);
    return std::string(text, result.ptr);
}

std::string DifferenceText(double lu) {
    if (std::fabs(lu) < 0.005) {
        return Fixed2(std::fabs(lu)) + " lu";
    }
    return (lu > 0.0 ? "+" : "") + Fixed2(lu) + " lu";
}

ReportWriter::ReportWriter(std::ostream& out, ReportFormat format) : out(out), format(format) {
    if (format == ReportFormat::Csv) {
        out << csvHeader;
    }
}

void ReportWriter::Add(const FileReport& report) {
    switch (format) {
    case ReportFormat::Text:
        AddText(report);
        break;
    case ReportFormat::Json:
        AddJson(report);
        break;
    case ReportFormat::Csv:
        AddCsv(report);
        break;
    }
    ++reportCount;
    out.flush();
}

void ReportWriter::Finish() {
    if (format == ReportFormat::Json) {
        out << (reportCount == 0 ? "[" : "\n") << "]\n";
    }
    out.flush();
}

void ReportWriter::AddText(const FileReport& report) {
    const MeterSettings& s = report.settings;
    out << (reportCount > 0 ? "\n" : "") << report.file << "\n"
        << "  " << ExactNumber(report.sampleRate) << " Hz, "
        << (report.channels == 1 ? "mono" : "stereo") << ", " << Fixed2(report.seconds) << " s; "
        << "crossover " << s.freqLow << " Hz and " << s.freqHigh << " Hz at " << s.slope
        << " dB/oct; target: " << TargetKindName(s.targetKind) << "\n\n";
    std::string titles[std::size(textColumns)];
    for (size_t i = 0; i < std::size(textColumns); ++i) {
        titles[i] = textColumns[i].title;
    }
    out << TextRow(titles);
    for (const BandReport& band : report.bands) {
        const std::string cells[std::size(textColumns)] = {
            band.band,
            TextValue(band.integrated),
            TextValue(band.maxShortTerm),
            TextValue(band.maxMomentary),
            TextValue(band.shortTerm),
            TextValue(band.momentary),
            TextValue(band.target),
            band.difference ? DifferenceText(band.difference->lu) : "-",
            VerdictOf(band, "-")};
        out << TextRow(cells);
    }
    out << "  (loudness in LUFS; \"-\": no reading)\n";
}

void ReportWriter::AddJson(const FileReport& report) {
    const MeterSettings& s = report.settings;
    out << (reportCount == 0 ? "[\n" : ",\n") << "  {\n"
        << "    \"file\": " << JsonString(report.file) << ",\n"
        << "    \"sampleRate\": " << ExactNumber(report.sampleRate) << ",\n"
        << "    \"channels\": " << report.channels << ",\n"
        << "    \"seconds\": " << ExactNumber(report.seconds) << ",\n"
        << "    \"settings\": {\"freqLow\": " << s.freqLow << ", \"freqHigh\": " << s.freqHigh
        << ", \"slope\": " << s.slope << ", \"targetKind\": \"" << TargetKindName(s.targetKind)
        << "\", \"targets\": [" << ExactNumber(s.targets[0]) << ", " << ExactNumber(s.targets[1])
        << ", " << ExactNumber(s.targets[2]) << "]},\n"
        << "    \"bands\": [";
    for (const BandReport& band : report.bands) {
        out << (&band == report.bands ? "\n" : ",\n") << "      {\"band\": \"" << band.band << "\"";
        for (const NamedReading& reading : bandReadings) {
            out << ", \"" << reading.name << "\": " << ExactOrEmpty(band.*reading.reading, "null");
        }
        out << ", \"difference\": " << ExactOrEmpty(DifferenceOf(band), "null")
            << ", \"verdict\": " << (band.difference ? JsonString(VerdictOf(band, "")) : "null")
            << "}";
    }
    out << "\n    ]\n  }";
}

void ReportWriter::AddCsv(const FileReport& report) {
    const MeterSettings& s = report.settings;
    const std::string fileColumns = CsvField(report.file) + "," + ExactNumber(report.sampleRate) +
                                    "," + std::to_string(report.channels) + "," +
                                    ExactNumber(report.seconds) + "," + std::to_string(s.freqLow) +
                                    "," + std::to_string(s.freqHigh) + "," +
                                    std::to_string(s.slope) + "," + TargetKindName(s.targetKind);
    for (const BandReport& band : report.bands) {
        out << fileColumns << "," << band.band;
        for (const NamedReading& reading : bandReadings) {
            out << "," << ExactOrEmpty(band.*reading.reading, "");
        }
        out << "," << ExactOrEmpty(DifferenceOf(band), "") << "," << VerdictOf(band, "") << "\n";
    }
}
