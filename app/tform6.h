#pragma once

#include <QWidget>

class Orbalin;

// The round start-up window: shown once, during its own creation, then the main window appears.
class TForm6 : public QWidget {
public:
    explicit TForm6(Orbalin& program);

protected:
    void paintEvent(QPaintEvent* event) override;
};
