#pragma once

#include "platform/fixeddialog.h"

#include <array>

class QLineEdit;
class Orbalin;

// The Calibrate window: where each picture of the current mode is printed and how large.
class TForm19 : public FixedDialog {
public:
    explicit TForm19(Orbalin& program);

    // Offsets of Picture #1 and #2 (across, down), then the printed width and height in dots.
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QLineEdit* Edit6 = nullptr;

    std::array<QLineEdit*, 6> edits() const { return {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6}; }

private:
    Orbalin& program_;
};
