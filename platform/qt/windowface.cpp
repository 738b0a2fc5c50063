#include "platform/qt/windowface.h"

QColor mainWindowFace() {
    return {236, 233, 216};
}
