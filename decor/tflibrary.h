#pragma once

#include "app/mainwindowport.h"
#include "platform/qt/fixeddialog.h"


// Small pictures to place as the added picture.
class TFLibrary : public FixedDialog {
public:
    TFLibrary(QWidget* owner, const WindowServices& services);

private:
    WindowServices services_;
};
