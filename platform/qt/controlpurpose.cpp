#include "platform/qt/controlpurpose.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>

void tellPurpose(QWidget& control, const QString& purpose) {
    control.setAccessibleName(purpose);
    auto* label = new QLabel(purpose, control.parentWidget());
    label->setObjectName(control.objectName() + QStringLiteral("Purpose"));
    label->setBuddy(&control);
    label->hide();
    if (auto* list = qobject_cast<QComboBox*>(&control))
        list->view()->setAccessibleName(purpose); // the entries the user goes through when it is open
}
