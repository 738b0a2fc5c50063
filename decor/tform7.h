#pragma once

#include "cover/mainwindowport.h"
#include "platform/qt/fixeddialog.h"

#include <QImage>

class QToolButton;

// The Effects window: quarter turns of the current Cd Cover or Front Cover picture. It stays open
// after each turn until Close.
class TForm7 : public FixedDialog {
public:
    TForm7(QWidget* owner, const WindowServices& services);

    QToolButton* SpeedButton1 = nullptr; // Rotate Picture 90° Left
    QToolButton* SpeedButton2 = nullptr; // Rotate Picture 90° Right
    QToolButton* SpeedButton3 = nullptr; // Close

    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();

private:
    // Turns the kept copy of the slot the status bar names and makes the result both the working
    // picture and the kept copy. Back Cover and Mini Cd pictures are not turned.
    void turnCurrentPicture(bool left);

    WindowServices services_;
};
