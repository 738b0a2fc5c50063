#pragma once

#include "app/mainwindowport.h"
#include "platform/qt/fixeddialog.h"


// Quarter turns of the current picture.
class TForm7 : public FixedDialog {
public:
    TForm7(QWidget* owner, const WindowServices& services);

private:
    WindowServices services_;
};
