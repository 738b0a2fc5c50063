#pragma once

#include "platform/qt/fixeddialog.h"

class Orbalin;

// Small pictures to place as the added picture.
class TFLibrary : public FixedDialog {
public:
    explicit TFLibrary(Orbalin& program);

private:
    Orbalin& program_;
};
