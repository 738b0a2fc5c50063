#pragma once

#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QProgressBar;
class QPushButton;

// The window of a long open: the file's name, a bar that follows the rows, and Cancel. It shows
// itself only once the job is expected to last longer than `showAfterMs`; until then the wait
// cursor is all the user sees. While shown it lets events through between steps, and being
// application-modal it keeps every other command from starting meanwhile.
class ProgressWindow : public QDialog {
public:
    ProgressWindow(QWidget* owner, const QString& fileName);

    // After each step; false once the user has cancelled.
    bool step(qint64 done, qint64 total);

    // How long a job must be expected to last for the window to show.
    static inline qint64 showAfterMs = 500;

    QLabel* Label1 = nullptr; // the file's name
    QProgressBar* ProgressBar1 = nullptr;
    QPushButton* Button1 = nullptr; // Cancel

protected:
    void reject() override; // Escape cancels too; the window goes when the job has stopped

private:
    QElapsedTimer started_;
    QElapsedTimer sinceEvents_;
    bool cancelled_ = false;
};
