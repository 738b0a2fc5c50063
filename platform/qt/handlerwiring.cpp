#include "platform/qt/handlerwiring.h"

#include "platform/qt/application.h"

#include <QAbstractButton>
#include <QAction>

void connectReportingErrors(QAbstractButton* button, QObject* context, std::function<void()> handler) {
    QObject::connect(button, &QAbstractButton::clicked, context, reportingErrors(std::move(handler)));
}

void connectReportingErrors(QAction* action, QObject* context, std::function<void()> handler) {
    QObject::connect(action, &QAction::triggered, context, reportingErrors(std::move(handler)));
}
