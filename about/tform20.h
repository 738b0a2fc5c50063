#pragma once

#include "platform/qt/fixeddialog.h"

class Orbalin;

// The credits window.
class TForm20 : public FixedDialog {
public:
    explicit TForm20(Orbalin& program);

private:
    Orbalin& program_;
};
