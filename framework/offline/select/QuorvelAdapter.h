#pragma once

#include "framework/offline/IEffectOffline.h"

using QuorvelAdapter = IEffectOffline;
