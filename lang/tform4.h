#pragma once

#include "app/mainwindowport.h"
#include "platform/qt/fixeddialog.h"


// Applies a chosen language file to every caption.
class TForm4 : public FixedDialog {
public:
    TForm4(QWidget* owner, const WindowServices& services);

private:
    WindowServices services_;
};
