// The Languages menu: each item chooses a language file; the language window applies it.
#include "app/orbalin.h"
#include "app/tform15.h"
#include "lang/languagefile.h"
#include "lang/tform4.h"
#include "platform/interaction.h"
#include "platform/linelist.h"
#include "platform/orbalinerror.h"

#include <QFileInfo>
#include <QUrl>

// The file is read before anything changes: one that is refused, or a language window left by
// Escape, leaves the captions, the choice in "config.obn" and languageFileName as they were.
void TForm15::chooseLanguage(const QString& fileToLoad, const QString& nameToRemember) {
    program_.Form4->loadLanguage(programFileNamed(document_.programFolder, fileToLoad),
                                 LanguageSource::ProgramFolder);
    if (!languageApplied())
        return;
    document_.languageFileName = fileToLoad;
    try {
        writeLines(document_.ownFile(QStringLiteral("config.obn")), QStringList{nameToRemember},
                   LineEncoding::Utf8);
    } catch (const OrbalinError& error) {
        ui().message(this, QStringLiteral("The language chosen cannot be kept for the next start. ") +
                               error.message() + QStringLiteral(" It applies until the program closes."));
    }
}

// The Edit menu's items name their step again in the new language.
bool TForm15::languageApplied() {
    program_.Form4->setResult(QDialog::Rejected);
    ui().showModal(*program_.Form4);
    updateEditMenu();
    return program_.Form4->result() == QDialog::Accepted;
}

void TForm15::English1Click() {
    chooseLanguage(QStringLiteral("English.lag"), QStringLiteral("english.lag"));
}
void TForm15::Francais1Click() {
    chooseLanguage(QStringLiteral("french.lag"), QStringLiteral("french.lag"));
}
void TForm15::German1Click() {
    chooseLanguage(QStringLiteral("german.lag"), QStringLiteral("german.lag"));
}
void TForm15::hungarian1Click() {
    chooseLanguage(QStringLiteral("hungarian.lag"), QStringLiteral("hungarian.lag"));
}
void TForm15::Swedish1Click() {
    chooseLanguage(QStringLiteral("swedish.lag"), QStringLiteral("swedish.lag"));
}
void TForm15::Catalan1Click() {
    chooseLanguage(QStringLiteral("Catala.lag"), QStringLiteral("Catala.lag"));
}
void TForm15::Coratian1Click() {
    chooseLanguage(QStringLiteral("croatian.lag"), QStringLiteral("croatian.lag"));
}

// A translator tries a file where it lies; the next start still uses the language remembered.
void TForm15::YourLanguage1Click() {
    FileDialogRequest request;
    request.title = QStringLiteral("Open");
    request.filters = {QStringLiteral("Language files... (*.lag)")};
    request.initialFolder = languageFolder_;
    const std::optional<FileDialogAnswer> answer = ui().openFile(this, request);
    if (!answer || answer->path.isEmpty())
        return;
    languageFolder_ = document_.programFolder;
    program_.Form4->loadLanguage(answer->path, LanguageSource::UserChoice);
    if (languageApplied())
        document_.languageFileName = QFileInfo(answer->path).fileName();
}

void TForm15::Editandsendbackbymail1Click() {
    openOrShowAddress(
        ui(), this,
        QUrl::fromLocalFile(programFileNamed(document_.programFolder, QStringLiteral("english.lag"))));
}
