#include "support/jpegwriter.h"
