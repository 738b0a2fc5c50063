#include "platform/qt/qtinteraction.h"

#include "platform/printerport.h"
#include "platform/qt/qtprinterport.h"
#include "platform/waitcursor.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QUrl>
#include <unistd.h>

namespace {
QString& dialogStateFolder() {
    static QString folder;
    return folder;
}

// Qt writes its dialogs' state through a link found at the file's path, onto whatever the link
// leads to; the program's own files never are, and neither is this one: a link there is removed.
void dropLinkAtDialogState() {
    if (dialogStateFolder().isEmpty())
        return;
    const QString path = QDir(dialogStateFolder()).filePath(QStringLiteral("QtProject.conf"));
    if (QFileInfo(path).isSymLink())
        ::unlink(QFile::encodeName(path).constData());
}

QString applicationTitle() {
    return QApplication::applicationName();
}

// The program writes a filter's patterns as "Pictures (*.jpg;*.bmp)"; the dialog reads the patterns
// inside the parentheses as a list separated by blanks.
QString dialogFilter(const QString& filter) {
    const qsizetype open = filter.lastIndexOf(QLatin1Char('('));
    if (open < 0 || !filter.endsWith(QLatin1Char(')')))
        return filter;
    QString patterns = filter.mid(open + 1, filter.size() - open - 2);
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    return filter.left(open + 1) + patterns.simplified() + QLatin1Char(')');
}

std::optional<FileDialogAnswer> runFileDialog(QWidget* owner, const FileDialogRequest& request,
                                              QFileDialog::AcceptMode mode) {
    dropLinkAtDialogState(); // the dialog writes its state when it goes
    QFileDialog dialog(owner, request.title, request.initialFolder);
    // The desktop's own dialog would record the file in the user's recent files.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // The program asks about replacing a file itself, once the extension is settled.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    QStringList filters;
    for (const QString& filter : request.filters)
        filters << dialogFilter(filter);
    dialog.setNameFilters(filters);
    if (request.selectedFilter >= 0 && request.selectedFilter < filters.size())
        dialog.selectNameFilter(filters.at(request.selectedFilter));
    if (!request.presetName.isEmpty())
        dialog.selectFile(request.presetName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return FileDialogAnswer{dialog.selectedFiles().constFirst(),
                            static_cast<int>(filters.indexOf(dialog.selectedNameFilter()))};
}

// Copies every setting the print dialog can change.
void copyDialogSettings(const QPrinter& from, QPrinter& to) {
    // Naming the output file chooses the output format too, so the file comes first. A printer
    // writing PDF files keeps a printer name, empty once the dialog chose the file: the dialog
    // opens on the printer so named.
    to.setOutputFileName(from.outputFileName());
    to.setOutputFormat(from.outputFormat());
    to.setPrinterName(from.printerName());
    to.setPageLayout(from.pageLayout());
    if (to.resolution() != from.resolution())
        to.setResolution(from.resolution());
    to.setCopyCount(from.copyCount());
    to.setCollateCopies(from.collateCopies());
    // Setting the duplex mode pins it for later printers, so only a change is passed on.
    if (to.duplex() != from.duplex())
        to.setDuplex(from.duplex());
    to.setColorMode(from.colorMode());
    to.setPageOrder(from.pageOrder());
    to.setPrintRange(from.printRange());
    to.setPageRanges(from.pageRanges());
    setCupsOptions(to, cupsOptions(from));
}
} // namespace

void QtInteraction::keepDialogStateIn(const QString& folder) {
    dialogStateFolder() = folder;
    dropLinkAtDialogState();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
}

void QtInteraction::message(QWidget* owner, const QString& text) {
    QMessageBox::information(owner, applicationTitle(), text);
}

bool QtInteraction::confirm(QWidget* owner, const QString& text) {
    return QMessageBox::question(owner, applicationTitle(), text, QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Cancel) == QMessageBox::Ok;
}

std::optional<FileDialogAnswer> QtInteraction::openFile(QWidget* owner, const FileDialogRequest& request) {
    return runFileDialog(owner, request, QFileDialog::AcceptOpen);
}

std::optional<FileDialogAnswer> QtInteraction::saveFile(QWidget* owner, const FileDialogRequest& request) {
    return runFileDialog(owner, request, QFileDialog::AcceptSave);
}

std::optional<QColor> QtInteraction::chooseColour(QWidget* owner, const QColor& initial) {
    dropLinkAtDialogState();
    const QColor chosen = QColorDialog::getColor(initial, owner, {}, QColorDialog::DontUseNativeDialog);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

QStringList withoutScaling(const QStringList& options) {
    static const QStringList scaling = {QStringLiteral("number-up"),    QStringLiteral("number-up-layout"),
                                        QStringLiteral("fit-to-page"),  QStringLiteral("fitplot"),
                                        QStringLiteral("scaling"),      QStringLiteral("natural-scaling"),
                                        QStringLiteral("print-scaling")};
    QStringList kept;
    for (qsizetype i = 0; i + 1 < options.size(); i += 2)
        if (!scaling.contains(options.at(i), Qt::CaseInsensitive))
            kept << options.at(i) << options.at(i + 1);
    // Said outright, so that a default of the print server cannot put several pages on a sheet.
    kept << QStringLiteral("number-up") << QStringLiteral("1");
    return kept;
}

// The dialog changes the printer it is given as the user goes (choosing another printer switches
// it at once), so it works on a copy and only OK hands the settings over.
bool QtInteraction::printerSetup(QWidget* owner, PrinterPort& printer) {
    QPrinter* device = printer.device();
    if (device == nullptr)
        return false;
    QPrinter chosen(QPrinterInfo::printerInfo(device->printerName()), QPrinter::HighResolution);
    copyDialogSettings(*device, chosen);
    QPrintDialog dialog(&chosen, owner);
    // The dialog only chooses and sets up the printer here; nothing is printed when it closes.
    dialog.setWindowTitle(QStringLiteral("Printer setup"));
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->text().remove(QLatin1Char('&')) == QLatin1String("Print"))
            button->setText(QStringLiteral("OK"));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    copyDialogSettings(chosen, *device);
    // Covers print at their true size: pages per sheet and fitting to the paper would shrink them.
    setCupsOptions(*device, withoutScaling(cupsOptions(*device)));
    return true;
}

void QtInteraction::showModal(QDialog& window) {
    window.exec();
}

// xdg-open reports a desktop with no program for the URL, or a program that fails at once, by its
// exit status, which Qt's own opener drops. Where it stays until the program it started ends, it
// is left running after two seconds and taken as having opened the URL.
bool QtInteraction::openExternally(const QUrl& url) {
    auto* opener = new QProcess(QCoreApplication::instance());
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->setStandardErrorFile(QProcess::nullDevice());
    opener->start(QStringLiteral("xdg-open"), {QString::fromUtf8(url.toEncoded())});
    {
        const WaitCursor wait;
        QElapsedTimer clock;
        clock.start();
        while (opener->state() != QProcess::NotRunning && !opener->waitForFinished(20) &&
               !clock.hasExpired(2000))
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    if (opener->state() != QProcess::NotRunning) {
        QObject::connect(opener, &QProcess::finished, opener, &QObject::deleteLater);
        return true;
    }
    const bool opened = opener->error() == QProcess::UnknownError &&
                        opener->exitStatus() == QProcess::NormalExit && opener->exitCode() == 0;
    opener->deleteLater();
    return opened;
}
