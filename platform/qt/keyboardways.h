#pragma once

#include <functional>

class QWidget;

// Enter and Return press the focused button of `area` (a window or a panel of one), as Space
// does: tool buttons and buttons outside a dialog answer Space only.
void pressFocusedButtonWithEnter(QWidget* area);

// Escape anywhere in `area` runs `leave`, the area's own way out that changes nothing.
void leaveWithEscape(QWidget* area, std::function<void()> leave);

// Enter and Return in `field` run `accept`, and go no further: the window around it does not see
// them once the focus has moved on.
void acceptWithEnter(QWidget* field, std::function<void()> accept);
