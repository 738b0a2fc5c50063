#pragma once

#include <QWidget>
#include <functional>

class QPainter;

// The main window's client area: the tool bars and the status bar lie on it, and the current
// picture is painted on it between them.
class ClientArea : public QWidget {
public:
    ClientArea(QWidget* window, std::function<void(QPainter&)> paint);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The bar of that object name lying on the client area, if it is there yet.
    QWidget* bar(const char* name) const;

    std::function<void(QPainter&)> paint_;
};
