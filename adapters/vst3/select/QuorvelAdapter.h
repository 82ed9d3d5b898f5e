#pragma once

#include "adapters/vst3/IEffectVST3.h"

using QuorvelAdapter = IEffectVST3;
