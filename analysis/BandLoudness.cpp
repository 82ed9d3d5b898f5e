#include "analysis/BandLoudness.h"
