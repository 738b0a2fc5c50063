#pragma once

#include "platform/qt/fixeddialog.h"

class Orbalin;

// Applies a chosen language file to every caption.
class TForm4 : public FixedDialog {
public:
    explicit TForm4(Orbalin& program);

private:
    Orbalin& program_;
};
