#pragma once

#include "adapters/vst2/IEffectVST2.h"

using QuorvelAdapter = IEffectVST2;
