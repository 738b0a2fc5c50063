#pragma once

#include "platform/qt/fixeddialog.h"

class Orbalin;

// The four kinds of insert as picture buttons.
class TForm3 : public FixedDialog {
public:
    explicit TForm3(Orbalin& program);

private:
    Orbalin& program_;
};
