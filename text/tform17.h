#pragma once

#include "app/mainwindowport.h"
#include "platform/qt/fixeddialog.h"

// The Text Area editor.
class TForm17 : public FixedDialog {
public:
    TForm17(QWidget* owner, const WindowServices& services);

private:
    WindowServices services_;
};
