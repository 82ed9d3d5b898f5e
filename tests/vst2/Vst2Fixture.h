#pragma once

#include "TestHost.h"

#include "adapters/vst2/IEffectVST2.h"

#include <gtest/gtest.h>

// A freshly created Quorvel2 effect on the test host.
class Vst2Test : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(host.Create(), nullptr); }

    // The plug-in object behind the record. Tests only read its fields and call its virtual
    // operations, which run the library's own code.
    IEffectVST2& Object() { return *static_cast<IEffectVST2*>(host.effect->object); }
    float Get(int paramIndex) { return host.effect->getParameter(host.effect, paramIndex); }
    void Set(int paramIndex, float normalised) {
        host.effect->setParameter(host.effect, paramIndex, normalised);
    }
    std::string Display(int paramIndex) { return host.Text(effGetParamDisplay, paramIndex); }

    TestHost host{Quorvel2Library()};
};
