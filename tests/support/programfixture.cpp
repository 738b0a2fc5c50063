#include "support/programfixture.h"

#include "app/tform1.h"

#include <QDir>
#include <QFile>
#include <QToolButton>

namespace {
// The shipped files, and the help page's folder with them.
void copyFolder(const QDir& from, const QString& to) {
    QDir().mkpath(to);
    for (const QFileInfo& entry : from.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString target = to + QLatin1Char('/') + entry.fileName();
        if (entry.isDir())
            copyFolder(QDir(entry.filePath()), target);
        else
            QFile::copy(entry.filePath(), target);
    }
}
} // namespace

ProgramFolder::ProgramFolder() {
    copyFolder(QDir(QStringLiteral(ORBALIN_DATA_DIR)), dir_.path());
}

QString ProgramFolder::path() const {
    return dir_.path() + QLatin1Char('/');
}

void ProgramFolder::write(const QString& name, const QByteArray& bytes) const {
    QFile file(this->file(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        ADD_FAILURE() << "could not write " << name.toStdString();
}

QByteArray ProgramFolder::read(const QString& name) const {
    QFile file(this->file(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool ProgramFolder::exists(const QString& name) const {
    return QFile::exists(file(name));
}

void ProgramFolder::remove(const QString& name) const {
    QFile::remove(file(name));
}

void ProgramTest::start() {
    program = std::make_unique<Orbalin>(ProgramContext{folder.path(), ui, printer, 0, stockFolders});
}

void openPicture(Orbalin& program, ScriptedInteraction& ui, const QString& path, Adjust choice) {
    ui.fileAnswers.push_back(FileDialogAnswer{path, 0});
    ui.modalActions.push_back([&program, choice](QDialog&) {
        if (choice == Adjust::Resize)
            program.Form1->SpeedButton1->click();
        else if (choice == Adjust::ResizeAdjust)
            program.Form1->SpeedButton2->click();
    });
    const qsizetype shownBefore = ui.modalWindows().size();
    control<QToolButton>(*program.Form15, "SpeedButton1")
        .click(); // through the button, so errors are reported as the user sees them
    if (ui.modalWindows().size() == shownBefore)
        ui.modalActions.pop_back(); // the Adjust window never came
}
