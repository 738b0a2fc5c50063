#pragma once

#include "platform/qt/fixeddialog.h"

class Orbalin;

// Help on the text bar.
class TForm5 : public FixedDialog {
public:
    explicit TForm5(Orbalin& program);

private:
    Orbalin& program_;
};
