#pragma once

#include "platform/fixeddialog.h"

class Orbalin;

// Takes a cover-sized piece out of a larger picture.
class TForm16 : public FixedDialog {
public:
    explicit TForm16(Orbalin& program);

private:
    Orbalin& program_;
};
