// The Help menu: credits, licence, the help page, the home page and a mail to the author. When the
// desktop cannot open one of them, the user is given its file or address.
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
    openOrShowAddress(
        ui(), this,
        QUrl::fromLocalFile(document_.programFolder + QStringLiteral("hlp-obn7000/help-Orbalin.htm")));
}

void TForm15::Homepage1Click() {
    openOrShowAddress(ui(), this, QUrl(projectinfo::kHomePage));
}

void TForm15::Email1Click() {
    openOrShowAddress(ui(), this, QUrl(QStringLiteral("mailto:") + projectinfo::kMail));
}
