// The Help menu: credits, licence, the help page, the home page and a mail to the author. What the
// desktop does with the help page, the home page or the mail link is its own affair: a missing
// page is not reported.
#include "about/projectinfo.h"
#include "about/tform20.h"
#include "app/orbalin.h"
#include "app/tform15.h"
#include "platform/interaction.h"

#include <QUrl>

void TForm15::About1Click() {
    ui().showModal(*program_.Form20);
}

void TForm15::Licence1Click() {
    ui().message(this, QStringLiteral("Not yet implemented"));
}

void TForm15::Help2Click() {
    ui().openExternally(QUrl::fromLocalFile(programFolder + QStringLiteral("hlp-obn7000/help-Orbalin.htm")));
}

void TForm15::Homepage1Click() {
    ui().openExternally(QUrl(projectinfo::kHomePage));
}

void TForm15::Email1Click() {
    ui().openExternally(QUrl(QStringLiteral("mailto:") + projectinfo::kMail));
}
