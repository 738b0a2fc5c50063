#pragma once

#include "platform/qt/fixeddialog.h"

class Orbalin;

// The information window shown before a picture is added.
class TForm2 : public FixedDialog {
public:
    explicit TForm2(Orbalin& program);

private:
    Orbalin& program_;
};
