#pragma once

#include "app/mainwindowport.h"
#include "platform/qt/fixeddialog.h"


// Help on the text bar.
class TForm5 : public FixedDialog {
public:
    TForm5(QWidget* owner, const WindowServices& services);

private:
    WindowServices services_;
};
