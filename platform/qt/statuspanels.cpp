#include "platform/qt/statuspanels.h"

#include <QLabel>

StatusPanels::StatusPanels(QWidget* parent, const QString& objectName, const std::vector<Panel>& panels,
                           int height)
    : QWidget(parent) {
    setObjectName(objectName);
    setFixedHeight(height);
    int left = 0;
    for (const Panel& panel : panels) {
        auto* label = new QLabel(this);
        label->setGeometry(left, 1, panel.width - 2, height - 2);
        label->setAlignment(panel.alignment | Qt::AlignVCenter);
        label->setFrameShape(panel.bevel ? QFrame::Panel : QFrame::NoFrame);
        label->setFrameShadow(QFrame::Sunken);
        labels_.push_back(label);
        left += panel.width;
    }
}

QString StatusPanels::text(int panel) const {
    return labels_.at(static_cast<size_t>(panel))->text();
}

void StatusPanels::setText(int panel, const QString& text) {
    labels_.at(static_cast<size_t>(panel))->setText(text);
}
