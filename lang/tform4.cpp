#include "lang/tform4.h"

#include "cover/coverdocument.h"
#include "lang/captioncontrols.h"
#include "lang/captiontable.h"
#include "platform/interaction.h"
#include "platform/orbalinerror.h"

#include <QLabel>
#include <QPushButton>

TForm4::TForm4(QWidget* owner, const WindowServices& services)
    : FixedDialog(owner, QStringLiteral("Form4"), captionOf("Form4", kWindowCaption), QSize(330, 90),
                  TitleButtons::None),
      services_(services) {
    StaticText1 = new QLabel(captionOf("Form4", "StaticText1"), this);
    StaticText1->setObjectName(QStringLiteral("StaticText1"));
    StaticText1->setWordWrap(true);
    StaticText1->setAlignment(Qt::AlignCenter);
    StaticText1->setGeometry(8, 8, 314, 40);

    Button1 = new QPushButton(captionOf("Form4", "Button1"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setAccessibleName(Button1->text());
    Button1->setGeometry(127, 56, 75, 25);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });

    const CoverDocument& document = services_.main.document();
    try {
        loadLanguage(programFileNamed(document.programFolder, document.languageFileName),
                     LanguageSource::ProgramFolder);
        apply();
    } catch (const OrbalinError& error) {
        services_.ui.message(owner, error.message());
    }
}

void TForm4::loadLanguage(const QString& path, LanguageSource source) {
    LanguageFileLines file = readLanguageFile(path, source);
    languageLines_ = std::move(file.lines);
    if (file.warning)
        services_.ui.message(parentWidget(), *file.warning);
}

void TForm4::Button1Click() {
    apply();
    accept();
}

void TForm4::apply() {
    applyCaptions(*parentWidget(), languageLines_);
    applied_ = languageLines_;
}

QString TForm4::captionInEffect(const CaptionRow& row) const {
    return row.line <= applied_.size() ? applied_[row.line - 1] : englishText(row);
}
