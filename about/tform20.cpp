#include "about/tform20.h"

#include "about/eyepicture.h"
#include "about/projectinfo.h"

#include <QFrame>
#include <QLabel>
#include <QtGlobal>

namespace {

const char* const kTranslatedLanguages[] = {"Swedish", "Catalan", "Hungarian", "German", "Croatian"};

// The version, then what the program is built with on a line of its own.
QString productLine() {
    return QStringLiteral("Orbalin Edition special. Version %1\nBuilt with Qt %2 and C++.")
        .arg(projectinfo::kVersion, QLatin1String(qVersion()));
}

} // namespace

TForm20::TForm20(QWidget* owner, const WindowServices& services)
    : FixedDialog(owner, QStringLiteral("Form20"), QStringLiteral("About"), QSize(274, 310),
                  TitleButtons::Close),
      services_(services) {
    useMainWindowFace();

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(17, 4, 50, 50);
    Image1->setPixmap(QPixmap::fromImage(eyePicture(50)));

    using namespace projectinfo;
    line(QStringLiteral("Label1"), QStringLiteral("By %1").arg(kAuthor), {72, 4});
    line(QStringLiteral("Label2"), QStringLiteral("(c) %1, all rights reserved.").arg(kCopyrightYears),
         {72, 21});
    QLabel* product = line(QStringLiteral("Label3"), productLine(), {16, 56});
    product->setWordWrap(true);
    product->setGeometry(16, 56, 249, 33);
    line(QStringLiteral("Label4"), QStringLiteral("Linux - Qt 6 desktop compatible."), {16, 104});
    line(QStringLiteral("Label5"), QStringLiteral("Email : %1").arg(kMail), {16, 125});
    line(QStringLiteral("Label6"), kHomePage, {16, 141});

    auto* separator = new QFrame(this);
    separator->setObjectName(QStringLiteral("Bevel1"));
    separator->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    separator->setGeometry(16, 160, 241, 2);

    line(QStringLiteral("Label7"), QStringLiteral("Thanx for translation :"), {16, 168});
    QPalette blue = palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    int y = 184;
    for (const char* language : kTranslatedLanguages) {
        QLabel* credit =
            line(QStringLiteral("Translator%1").arg(QLatin1String(language)),
                 QStringLiteral("- %1 (%2 version)").arg(kTranslators, QLatin1String(language)), {16, y});
        credit->setPalette(blue);
        y += 16;
    }
    // Reached by Tab and Enter, not only by the title bar's close box.
    addCloseButton()->setFocus();
}

QLabel* TForm20::line(const QString& name, const QString& text, QPoint at) {
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->move(at);
    label->adjustSize();
    return label;
}
