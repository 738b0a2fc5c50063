#include "platform/qt/picturenode.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace {

const char* const kNodeProperty = "orbalinPictureNode";

QAccessibleInterface* graphicForNode(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr || !widget->property(kNodeProperty).toBool())
        return nullptr;
    return new QAccessibleWidget(widget, QAccessible::Graphic);
}

} // namespace

QWidget* pictureNode(QWidget* parent, const QString& name) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(graphicForNode);
        return true;
    }();
    (void)factoryInstalled;
    auto* node = new QWidget(parent);
    node->setObjectName(name);
    node->setProperty(kNodeProperty, true);
    node->setAccessibleName(name);
    node->setAttribute(Qt::WA_TransparentForMouseEvents);
    node->setFocusPolicy(Qt::NoFocus);
    return node;
}
