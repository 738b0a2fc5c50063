#include "platform/jpegreader.h"
