#pragma once

#include <cstdio>
#include <string>

// A one-line progress bar on stderr, drawn only when stderr is a terminal.
class ProgressBar {
public:
    explicit ProgressBar(std::string label);
    ~ProgressBar();
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    // Redraws when the whole percentage changes.
    void Update(double fraction);

private:
    std::string label;
    bool enabled;
    int shownPercent = -1;
};
