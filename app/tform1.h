#pragma once

#include "platform/fixeddialog.h"

class Orbalin;

// Asks how a freshly opened picture is fitted to the cover.
class TForm1 : public FixedDialog {
public:
    explicit TForm1(Orbalin& program);

private:
    Orbalin& program_;
};
