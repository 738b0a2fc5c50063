#pragma once

#include "app/mainwindowport.h"
#include "platform/qt/fixeddialog.h"


// The information window shown before a picture is added.
class TForm2 : public FixedDialog {
public:
    TForm2(QWidget* owner, const WindowServices& services);

private:
    WindowServices services_;
};
