#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>

class QDialog;
class QUrl;
class QWidget;
class PrinterPort;

struct FileDialogRequest {
    QString title;
    QStringList filters; // e.g. "Bitmaps (*.bmp)"
    int selectedFilter = 0;
    QString presetName;
    QString initialFolder;
};

struct FileDialogAnswer {
    QString path;
    int filterIndex = 0;
};

// Everything modal goes through here: the Qt implementation shows real dialogs, the scripted
// one answers from queues and records every call, so windows can be driven by tests.
class Interaction {
public:
    virtual ~Interaction() = default;

    virtual void message(QWidget* owner, const QString& text) = 0;
    // OK / Cancel; true when OK was pressed.
    virtual bool confirm(QWidget* owner, const QString& text) = 0;
    virtual std::optional<FileDialogAnswer> openFile(QWidget* owner, const FileDialogRequest& request) = 0;
    virtual std::optional<FileDialogAnswer> saveFile(QWidget* owner, const FileDialogRequest& request) = 0;
    virtual std::optional<QColor> chooseColour(QWidget* owner, const QColor& initial) = 0;
    // Lets the user choose and set up the printer behind the port; true when accepted.
    virtual bool printerSetup(QWidget* owner, PrinterPort& printer) = 0;
    // Shows the window modally and returns once it is closed.
    virtual void showModal(QDialog& window) = 0;
    // Hands a URL (a local file as a file URL) to the desktop's default program; false when the
    // desktop has no program for it or the program failed at once.
    virtual bool openExternally(const QUrl& url) = 0;
};

// Opens a URL on the desktop; when the desktop does not, tells the user the file or address so
// they can open it themselves.
void openOrShowAddress(Interaction& ui, QWidget* owner, const QUrl& url);
