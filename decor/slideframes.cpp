#include "decor/slideframes.h"
