#pragma once

#include "app/mainwindowport.h"
#include "platform/qt/fixeddialog.h"


// The four kinds of insert as picture buttons.
class TForm3 : public FixedDialog {
public:
    TForm3(QWidget* owner, const WindowServices& services);

private:
    WindowServices services_;
};
