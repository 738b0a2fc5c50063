#pragma once

#include "platform/interaction.h"

#include <QDialog>
#include <QUrl>
#include <deque>
#include <functional>
#include <vector>

// Answers every modal interaction from queues filled by a test and records each call.
// An empty queue answers as a user pressing Cancel would.
class ScriptedInteraction : public Interaction {
public:
    struct Call {
        QString kind; // "message", "confirm", "open", "save", "colour", "printerSetup", "modal", "desktop"
        QString text; // the message, the dialog title, the window's object name or the URL
        bool leftOpen = false; // a modal window that its action did not close
    };

    std::deque<bool> confirmAnswers;
    std::deque<std::optional<FileDialogAnswer>> fileAnswers;
    std::deque<std::optional<QColor>> colourAnswers;
    std::deque<bool> printerSetupAnswers;
    // Run while a modal window is shown; the window must close itself, through its own controls,
    // before the action returns. One it leaves open is recorded (leftOpenWindows) and hidden.
    std::deque<std::function<void(QDialog&)>> modalActions;
    // Shows modal windows as the desktop does, in their own event loop, instead of running actions.
    bool realModalWindows = false;

    std::vector<Call> calls;
    std::vector<FileDialogRequest> fileRequests;
    std::vector<QUrl> openedUrls; // in the order handed to the desktop
    bool desktopOpens = true;      // false: the desktop has no program for what it is handed

    QStringList messages() const;
    QStringList modalWindows() const;
    QStringList leftOpenWindows() const;

    void message(QWidget* owner, const QString& text) override;
    bool confirm(QWidget* owner, const QString& text) override;
    std::optional<FileDialogAnswer> openFile(QWidget* owner, const FileDialogRequest& request) override;
    std::optional<FileDialogAnswer> saveFile(QWidget* owner, const FileDialogRequest& request) override;
    std::optional<QColor> chooseColour(QWidget* owner, const QColor& initial) override;
    bool printerSetup(QWidget* owner, PrinterPort& printer) override;
    void showModal(QDialog& window) override;
    bool openExternally(const QUrl& url) override;

private:
    QStringList textsOf(const QString& kind) const;
};
