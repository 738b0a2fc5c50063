#pragma once

#include "platform/qt/fixeddialog.h"

class Orbalin;
class QLabel;
class QToolButton;

// Asks how a freshly opened picture is fitted to the cover: the whole picture reduced ("Resize"),
// or a part of it chosen in the Slide window ("Resize-Adjust").
class TForm1 : public FixedDialog {
public:
    explicit TForm1(Orbalin& program);

    QToolButton* SpeedButton1 = nullptr; // Resize
    QToolButton* SpeedButton2 = nullptr; // Resize-Adjust
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;

    void SpeedButton1Click();
    void SpeedButton2Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    Orbalin& program_;
};
