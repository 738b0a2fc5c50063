#include "doubles/scriptedinteraction.h"

namespace {
template <typename T> T takeFront(std::deque<T>& queue, T whenEmpty) {
    if (!queue.empty()) {
        whenEmpty = std::move(queue.front());
        queue.pop_front();
    }
    return whenEmpty;
}
} // namespace

QStringList ScriptedInteraction::textsOf(const QString& kind) const {
    QStringList texts;
    for (const Call& call : calls)
        if (call.kind == kind)
            texts << call.text;
    return texts;
}

QStringList ScriptedInteraction::messages() const {
    return textsOf("message");
}
QStringList ScriptedInteraction::modalWindows() const {
    return textsOf("modal");
}
QStringList ScriptedInteraction::leftOpenWindows() const {
    QStringList names;
    for (const Call& call : calls)
        if (call.kind == "modal" && call.leftOpen)
            names << call.text;
    return names;
}

void ScriptedInteraction::message(QWidget*, const QString& text) {
    calls.push_back({"message", text});
}

bool ScriptedInteraction::confirm(QWidget*, const QString& text) {
    calls.push_back({"confirm", text});
    return takeFront(confirmAnswers, false);
}

std::optional<FileDialogAnswer> ScriptedInteraction::openFile(QWidget*, const FileDialogRequest& request) {
    calls.push_back({"open", request.title});
    fileRequests.push_back(request);
    return takeFront(fileAnswers, std::optional<FileDialogAnswer>{});
}

std::optional<FileDialogAnswer> ScriptedInteraction::saveFile(QWidget*, const FileDialogRequest& request) {
    calls.push_back({"save", request.title});
    fileRequests.push_back(request);
    return takeFront(fileAnswers, std::optional<FileDialogAnswer>{});
}

std::optional<QColor> ScriptedInteraction::chooseColour(QWidget*, const QColor&) {
    calls.push_back({"colour", {}});
    return takeFront(colourAnswers, std::optional<QColor>{});
}

bool ScriptedInteraction::printerSetup(QWidget*, PrinterPort&) {
    calls.push_back({"printerSetup", {}});
    return takeFront(printerSetupAnswers, false);
}

void ScriptedInteraction::showModal(QDialog& window) {
    calls.push_back({"modal", window.objectName()});
    const size_t call = calls.size() - 1;
    if (realModalWindows) {
        window.exec();
        return;
    }
    window.setModal(true);
    window.show();
    auto action = takeFront(modalActions, std::function<void(QDialog&)>{});
    if (action)
        action(window);
    if (window.isVisible()) {
        calls[call].leftOpen = true;
        window.hide();
    }
}

bool ScriptedInteraction::openExternally(const QUrl& url) {
    calls.push_back({"desktop", url.toString()});
    openedUrls.push_back(url);
    return desktopOpens;
}
