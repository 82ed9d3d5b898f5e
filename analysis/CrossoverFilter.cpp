#include "analysis/CrossoverFilter.h"
