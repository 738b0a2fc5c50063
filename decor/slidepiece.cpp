#include "decor/slidepiece.h"
