#include "app/fitpixels.h"
