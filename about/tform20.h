#pragma once

#include "cover/mainwindowport.h"
#include "platform/qt/fixeddialog.h"

class QLabel;

// The credits window: who makes the program, with what, where to reach them and who translated it.
class TForm20 : public FixedDialog {
public:
    TForm20(QWidget* owner, const WindowServices& services);

    QLabel* Image1 = nullptr; // the eye

private:
    QLabel* line(const QString& name, const QString& text, QPoint at);

    WindowServices services_;
};
