#pragma once

#include "platform/qt/fixeddialog.h"

class Orbalin;

// Quarter turns of the current picture.
class TForm7 : public FixedDialog {
public:
    explicit TForm7(Orbalin& program);

private:
    Orbalin& program_;
};
