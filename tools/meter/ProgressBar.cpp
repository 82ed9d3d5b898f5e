#include "meter/ProgressBar.h"

#include <unistd.h>

#include <algorithm>

namespace {

constexpr int barWidth = 30;

} // namespace

ProgressBar::ProgressBar(std::string label)
    : label(std::move(label)), enabled(isatty(STDERR_FILENO) == 1) {}

ProgressBar::~ProgressBar() {
    if (enabled && shownPercent >= 0) {
        std::fputs("\r\033[K", stderr);
        std::fflush(stderr);
    }
}

void ProgressBar::Update(double fraction) {
    const int percent = static_cast<int>(std::clamp(fraction, 0.0, 1.0) * 100.0);
    if (!enabled || percent == shownPercent) {
        return;
    }
    shownPercent = percent;
    const int filled = percent * barWidth / 100;
    std::fprintf(stderr, "\r[%s%s] %3d%% %s", std::string(filled, '#').c_str(),
                 std::string(barWidth - filled, '.').c_str(), percent, label.c_str());
    std::fflush(stderr);
}
