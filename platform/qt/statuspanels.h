#pragma once

#include <QWidget>
#include <vector>

class QLabel;

// A status bar of text panels of fixed widths. Other windows read the panel texts to learn the
// current mode and slot, so the texts are state, not decoration.
class StatusPanels : public QWidget {
public:
    struct Panel {
        int width;
        Qt::Alignment alignment = Qt::AlignCenter;
        bool bevel = true;
    };

    StatusPanels(QWidget* parent, const QString& objectName, const std::vector<Panel>& panels, int height);

    QString text(int panel) const;
    void setText(int panel, const QString& text);
    int count() const { return static_cast<int>(labels_.size()); }

private:
    std::vector<QLabel*> labels_;
};
