#pragma once

#include <QWidget>

class TForm15;

// The main window's client area: the tool bars and the status bar lie on it, and the current
// picture is painted on it between them.
class ClientArea : public QWidget {
public:
    explicit ClientArea(TForm15& window);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    TForm15& window_;
};
