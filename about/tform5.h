#pragma once

#include "cover/mainwindowport.h"
#include "platform/qt/fixeddialog.h"

class QLabel;
class QPushButton;

// Help on the text bar: a picture of the floating text with its menu open, how to stamp it and
// the keys that work it.
class TForm5 : public FixedDialog {
public:
    TForm5(QWidget* owner, const WindowServices& services);

    QLabel* Image1 = nullptr;
    QLabel* StaticText1 = nullptr;
    QLabel* Keys = nullptr;         // the text bar's keys
    QPushButton* BitBtn1 = nullptr; // OK

private:
    WindowServices services_;
};
