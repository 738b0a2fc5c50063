#pragma once

#include "cover/covermode.h"
#include "cover/mainwindowport.h"
#include "platform/qt/fixeddialog.h"

class QToolButton;

// The Labels window: the four kinds of insert as large picture buttons. Choosing one switches the
// main window to it and closes the window; Escape closes it with the kind unchanged. The kind
// in use shows checked.
class TForm3 : public FixedDialog {
public:
    TForm3(QWidget* owner, const WindowServices& services);

    QToolButton* SpeedButton1 = nullptr; // Cd Cover
    QToolButton* SpeedButton2 = nullptr; // Front Cover
    QToolButton* SpeedButton3 = nullptr; // Back Cover
    QToolButton* SpeedButton4 = nullptr; // Mini CD

    void SpeedButton1Click() { choose(CoverMode::CdCover); }
    void SpeedButton2Click() { choose(CoverMode::FrontCover); }
    void SpeedButton3Click() { choose(CoverMode::BackCover); }
    void SpeedButton4Click() { choose(CoverMode::MiniCd); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void choose(CoverMode mode);
    void showCurrentKind();

    WindowServices services_;
};
