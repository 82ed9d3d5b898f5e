// Counts every allocation made while audio blocks run.
#include "MeterHarness.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> counting{false};
std::atomic<int> allocations{0};

} // namespace

void* operator new(std::size_t size) {
    if (counting.load()) {
        ++allocations;
    }
    if (void* p = std::malloc(size != 0 ? size : 1)) {
        return p;
    }
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept {
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

TEST(QuorvelAllocation, BlockPathAllocatesNothing) {
    CLS_QUORVEL meter({});
    meter.Open();
    meter.SetupProcessing(48000, 256);
    meter.Start();
    Signal left = Noise(1000, 0.5), right = Noise(1000, 0.5, 2);
    left[10] = std::numeric_limits<double>::quiet_NaN();
    Signal outL(1000), outR(1000);
    double* ins[] = {left.data(), right.data()};
    double* outs[] = {outL.data(), outR.data()};
    std::vector<float> floatIn(1000, 0.25f), floatOut(1000);
    const float* floatIns[] = {floatIn.data(), floatIn.data()};
    float* floatOuts[] = {floatOut.data(), floatOut.data()};

    counting = true;
    for (int block = 0; block < 200; ++block) {
        meter.SetTransportState(block % 3 == 0 ? 0 : 1);
        meter.ProcessDouble(ins, outs, 2, 1000); // longer than the block size: sliced
        meter.ProcessDouble(ins, outs, 1, 100);
        meter.ProcessFloat(floatIns, floatOuts, 2, 1000);
        meter.ParamAt(ParamLowTarget)->SetFromNormalized((block % 10) / 10.0);
        meter.NotifyParamChanged(ParamLowTarget); // VST3 applies changes on the audio thread
    }
    meter.ResetAllBands();
    counting = false;
    EXPECT_EQ(allocations.load(), 0);
}
