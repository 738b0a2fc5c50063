#pragma once

#include "cover/mainwindowport.h"
#include "platform/qt/fixeddialog.h"

class QLabel;
class QPushButton;

// The information window "Add Pict." shows before every load: added pictures should be square.
class TForm2 : public FixedDialog {
public:
    TForm2(QWidget* owner, const WindowServices& services);

    QLabel* Image1 = nullptr;       // warning sign
    QLabel* StaticText1 = nullptr;  // "Informations"
    QLabel* StaticText2 = nullptr;  // the notice
    QPushButton* BitBtn1 = nullptr; // OK

private:
    WindowServices services_;
};
