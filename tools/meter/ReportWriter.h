#pragma once

#include "meter/MeterOptions.h"
#include "meter/MeterReport.h"

#include <ostream>
#include <string>

// Writes file reports one by one as they are measured. JSON and CSV carry every number in
// full double precision (the shortest text that reads back as the same double); the text
// report rounds to two decimals as the editor does.
class ReportWriter {
public:
    ReportWriter(std::ostream& out, ReportFormat format);
    ReportWriter(const ReportWriter&) = delete;
    ReportWriter& operator=(const ReportWriter&) = delete;

    void Add(const FileReport& report);
    // Closes the JSON array; call once after the last report.
    void Finish();

private:
    void AddText(const FileReport& report);
    void AddJson(const FileReport& report);
    void AddCsv(const FileReport& report);

    std::ostream& out;
    ReportFormat format;
    int reportCount = 0;
};

// The shortest decimal text that reads back as the same double.
std::string ExactNumber(double x);

// The difference as the band's readout writes it: "+0.80 lu", "0.00 lu", "-0.30 lu".
std::string DifferenceText(double lu);
