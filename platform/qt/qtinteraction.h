#pragma once

#include "platform/interaction.h"

#include <QStringList>

// The real dialogs of the desktop.
class QtInteraction : public Interaction {
public:
    // Qt's dialogs remember folders, file names and custom colours in the user's configuration
    // folder; the program keeps what it remembers in its own folder, and so do they from now on,
    // never through a link planted there.
    static void keepDialogStateIn(const QString& folder);

    void message(QWidget* owner, const QString& text) override;
    bool confirm(QWidget* owner, const QString& text) override;
    std::optional<FileDialogAnswer> openFile(QWidget* owner, const FileDialogRequest& request) override;
    std::optional<FileDialogAnswer> saveFile(QWidget* owner, const FileDialogRequest& request) override;
    std::optional<QColor> chooseColour(QWidget* owner, const QColor& initial) override;
    bool printerSetup(QWidget* owner, PrinterPort& printer) override;
    void showModal(QDialog& window) override;
    bool openExternally(const QUrl& url) override;
};

// The CUPS job options (name and value in turn) without those that would print a page at another
// size than its own: pages per sheet and the ways of fitting a page to the paper.
QStringList withoutScaling(const QStringList& options);
