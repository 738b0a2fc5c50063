#pragma once

#include "platform/qt/fixeddialog.h"

class ImageView;
class Orbalin;

// The Gradient window: draws a two-colour gradient to put into the current slot.
class TForm18 : public FixedDialog {
public:
    explicit TForm18(Orbalin& program);

    ImageView* Image22 = nullptr; // the gradient picture, shown at 1:1

private:
    Orbalin& program_;
};
