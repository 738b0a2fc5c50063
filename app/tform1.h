#pragma once

#include "cover/mainwindowport.h"
#include "platform/qt/fixeddialog.h"

class QLabel;
class QToolButton;

// Asks how a freshly opened picture is fitted to the cover: the whole picture reduced ("Resize"),
// or a part of it chosen in the Slide window ("Resize-Adjust").
class TForm1 : public FixedDialog {
public:
    TForm1(QWidget* owner, const WindowServices& services);

    QToolButton* SpeedButton1 = nullptr; // Resize
    QToolButton* SpeedButton2 = nullptr; // Resize-Adjust
    QLabel* StaticText1 = nullptr;
    QLabel* StaticText2 = nullptr;

    void SpeedButton1Click();
    void SpeedButton2Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    WindowServices services_;
};
