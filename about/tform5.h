#pragma once

#include "cover/mainwindowport.h"
#include "platform/qt/fixeddialog.h"

class QLabel;
class QPushButton;

// Help on the text bar: a picture of the floating text with its menu open, and how to stamp it.
class TForm5 : public FixedDialog {
public:
    TForm5(QWidget* owner, const WindowServices& services);

    QLabel* Image1 = nullptr;
    QLabel* StaticText1 = nullptr;
    QPushButton* BitBtn1 = nullptr; // OK

private:
    WindowServices services_;
};
