#pragma once

class QString;
class QWidget;

// Tells the accessibility bus what a control without a caption of its own is for: its accessible
// name says it, and a hidden label tied to it as its buddy says it again as the control's label,
// which is what a screen reader reads for a combo box on Linux, whose name is its current entry.
void tellPurpose(QWidget& control, const QString& purpose);
