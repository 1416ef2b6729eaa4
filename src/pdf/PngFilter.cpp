#include "pdf/PngFilter.h"
