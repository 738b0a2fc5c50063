#pragma once

#include "app/mainwindowport.h"
#include "platform/qt/fixeddialog.h"


// The credits window.
class TForm20 : public FixedDialog {
public:
    TForm20(QWidget* owner, const WindowServices& services);

private:
    WindowServices services_;
};
