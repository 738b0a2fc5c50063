#pragma once

#include <QDialog>

class QAbstractButton;

// A window of fixed size. Escape leaves it as Cancel or Close would, changing nothing; a window
// with its own way of being left that way overrides reject(). Enter presses the focused button.
class FixedDialog : public QDialog {
public:
    enum class TitleButtons { None, Close };

    FixedDialog(QWidget* owner, const QString& objectName, const QString& caption, QSize clientSize,
                TitleButtons buttons = TitleButtons::None);

    // A "Close" button in the bottom-right corner, for a window whose own controls are still to
    // come: every window the user can open can also be left.
    QAbstractButton* addCloseButton();

    // Paints the window in the warm grey face the main window and most windows share.
    void useMainWindowFace();
};
