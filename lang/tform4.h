#pragma once

#include "cover/mainwindowport.h"
#include "lang/captiontable.h"
#include "lang/languagefile.h"
#include "platform/qt/fixeddialog.h"

#include <QStringList>

class QLabel;
class QPushButton;

// The language window: holds the lines of the language file last loaded and, on Ok, gives every
// caption of the program its line. At start-up it applies the remembered language unseen.
class TForm4 : public FixedDialog {
public:
    TForm4(QWidget* owner, const WindowServices& services);

    // Reads a language file into the line list, telling the user of lines it could read only in
    // part. Throws OrbalinError, the list unchanged, when the file is refused.
    void loadLanguage(const QString& path, LanguageSource source);

    void Button1Click();
    // Every caption of the table takes its line of the list.
    void apply();
    // The text of the row in the language applied last: its English text before any, or when the
    // file applied stops short of its line.
    QString captionInEffect(const CaptionRow& row) const;

    QLabel* StaticText1 = nullptr;
    QPushButton* Button1 = nullptr;
    QStringList languageLines_; // the lines of the language file last loaded

private:
    WindowServices services_;
    QStringList applied_;
};
