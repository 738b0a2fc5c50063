#pragma once

#include "platform/qt/fixeddialog.h"

class Orbalin;

// The Text Area editor.
class TForm17 : public FixedDialog {
public:
    explicit TForm17(Orbalin& program);

private:
    Orbalin& program_;
};
