#pragma once

#include <QWidget>


// The round start-up window: shown once, during its own creation, then the main window appears.
class TForm6 : public QWidget {
public:
    // Shows itself for `pauseMs`, then hides and shows the main window.
    TForm6(QWidget* mainWindow, int pauseMs);

protected:
    void paintEvent(QPaintEvent* event) override;
};
