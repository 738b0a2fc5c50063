#pragma once

#include "app/covermode.h"
#include "app/mainwindowport.h"
#include "platform/qt/fixeddialog.h"

class ImageView;

// The Gradient window: draws a two-colour gradient to put into the current slot.
class TForm18 : public FixedDialog {
public:
    TForm18(QWidget* owner, const WindowServices& services);

    // Called before the window is shown. A gradient is kept only while one has been drawn since
    // the last mode switch (`gradientDrawn`); otherwise the picture starts empty.
    void prepareFor(CoverMode mode, bool gradientDrawn);

    ImageView* Image22 = nullptr; // the gradient picture, shown at 1:1

private:
    WindowServices services_;
};
