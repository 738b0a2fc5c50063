#include "platform/qt/qtinteraction.h"

#include "platform/printerport.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QUrl>

namespace {
QString applicationTitle() {
    return QApplication::applicationName();
}

std::optional<FileDialogAnswer> runFileDialog(QWidget* owner, const FileDialogRequest& request,
                                              QFileDialog::AcceptMode mode) {
    QFileDialog dialog(owner, request.title, request.initialFolder);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // The program asks about replacing a file itself, once the extension is settled.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(request.filters);
    if (request.selectedFilter >= 0 && request.selectedFilter < request.filters.size())
        dialog.selectNameFilter(request.filters.at(request.selectedFilter));
    if (!request.presetName.isEmpty())
        dialog.selectFile(request.presetName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return FileDialogAnswer{dialog.selectedFiles().constFirst(),
                            static_cast<int>(request.filters.indexOf(dialog.selectedNameFilter()))};
}
} // namespace

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
    const QColor chosen = QColorDialog::getColor(initial, owner);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

bool QtInteraction::printerSetup(QWidget* owner, PrinterPort& printer) {
    QPrinter* device = printer.device();
    if (device == nullptr)
        return false;
    QPrintDialog dialog(device, owner);
    // The dialog only chooses and sets up the printer here; nothing is printed when it closes.
    dialog.setWindowTitle(QStringLiteral("Printer setup"));
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->text().remove(QLatin1Char('&')) == QLatin1String("Print"))
            button->setText(QStringLiteral("OK"));
    return dialog.exec() == QDialog::Accepted;
}

void QtInteraction::showModal(QDialog& window) {
    window.exec();
}

void QtInteraction::openWithDesktop(const QString& pathOrUrl) {
    const QUrl url =
        pathOrUrl.contains(QLatin1String("://")) || pathOrUrl.startsWith(QLatin1String("mailto:"))
            ? QUrl(pathOrUrl)
            : QUrl::fromLocalFile(pathOrUrl);
    QDesktopServices::openUrl(url);
}
