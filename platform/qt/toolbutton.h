#pragma once

#include <QIcon>
#include <QRect>
#include <QString>

class QToolButton;
class QWidget;

// How one of the program's tool buttons looks and is reached.
struct ButtonFace {
    QString caption{};
    QIcon icon{}; // none: the caption alone
    int iconSize = 32;
    Qt::ToolButtonStyle style = Qt::ToolButtonTextUnderIcon;
    bool flat = true; // raised only under the pointer
    Qt::FocusPolicy focus = Qt::TabFocus;
    // The screen reader names it by its caption, without a trailing "...".
    bool namedByCaption = false;
};

// A tool button named `name` (the name the language files and the tests know it by), placed at
// `geometry` unless that is empty.
QToolButton* toolButton(QWidget* parent, const QString& name, const ButtonFace& face, const QRect& geometry = {});
