// The Help menu: credits, licence, and what it hands the desktop to open.
#include "platform/qt/qtinteraction.h"
#include "support/programfixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>

namespace {

class HelpMenu : public ProgramTest {};

TEST_F(HelpMenu, LicenceOnlySaysItIsNotWrittenYet) {
    start();
    const QStringList filesBefore = QDir(folder.path()).entryList(QDir::Files);
    const size_t callsBefore = ui.calls.size();
    control<QAction>(form(), "Licence1").trigger();
    EXPECT_EQ(ui.messages(), QStringList{"Not yet implemented"});
    EXPECT_EQ(ui.calls.size(), callsBefore + 1);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), filesBefore);
}

TEST_F(HelpMenu, HelpHomepageAndEmailGoToTheDesktop) {
    start();
    control<QAction>(form(), "Help2").trigger();
    control<QAction>(form(), "Homepage1").trigger();
    control<QAction>(form(), "Email1").trigger();
    ASSERT_EQ(ui.openedUrls.size(), 3u);
    EXPECT_EQ(ui.openedUrls[0], QUrl::fromLocalFile(folder.path() + "hlp-obn7000/help-Orbalin.htm"));
    EXPECT_EQ(ui.openedUrls[1], QUrl("https://orbalin.org/"));
    EXPECT_EQ(ui.openedUrls[2], QUrl("mailto:orbalin@orbalin.org"));
    EXPECT_TRUE(ui.messages().isEmpty());

    // With nothing on the desktop to open them, the user is given each file or address.
    ui.desktopOpens = false;
    control<QAction>(form(), "Help2").trigger();
    control<QAction>(form(), "Email1").trigger();
    control<QAction>(form(), "Editandsendbackbymail1").trigger();
    const QStringList messages = ui.messages();
    ASSERT_EQ(messages.size(), 3);
    EXPECT_TRUE(
        messages[0].endsWith(QDir::toNativeSeparators(folder.path() + "hlp-obn7000/help-Orbalin.htm")));
    EXPECT_TRUE(messages[1].endsWith("\nmailto:orbalin@orbalin.org")) << messages[1].toStdString();
    EXPECT_TRUE(messages[2].endsWith(QDir::toNativeSeparators(folder.file("english.lag"))));
}

// The real opener, with xdg-open standing for a desktop that has a program for nothing, or one
// that opens everything.
TEST(DesktopOpener, SaysWhetherTheDesktopOpenedTheUrl) {
    QTemporaryDir bin;
    const QString opener = bin.filePath("xdg-open");
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()) + ':' + path);
    QtInteraction ui;
    for (const int status : {0, 3}) {
        QFile script(opener);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(QByteArray("#!/bin/sh\nexit ") + QByteArray::number(status) + '\n');
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
        EXPECT_EQ(ui.openExternally(QUrl("https://orbalin.org/")), status == 0) << status;
    }
    // The system's own xdg-open (xdg-utils) must not stand in: the path holds only the empty folder.
    QFile::remove(opener);
    qputenv("PATH", QFile::encodeName(bin.path()));
    EXPECT_FALSE(ui.openExternally(QUrl("https://orbalin.org/"))) << "no xdg-open at all";
    qputenv("PATH", path);
}

TEST_F(HelpMenu, AboutShowsTheCreditsInARealWindow) {
    start();
    ui.realModalWindows = true;
    QString shown;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        if (QWidget* window = QApplication::activeModalWidget()) {
            shown = window->objectName();
            window->close(); // its close box
            user.stop();
        }
    });
    user.start(10);
    control<QAction>(form(), "About1").trigger();
    ASSERT_EQ(shown, "Form20");

    QStringList lines;
    QStringList blueLines;
    for (const QLabel* label : form().findChild<QDialog*>("Form20")->findChildren<QLabel*>()) {
        lines << label->text();
        if (label->palette().color(QPalette::WindowText) == Qt::blue)
            blueLines << label->text();
    }
    const QString all = lines.join('\n');
    EXPECT_TRUE(all.contains("Email : orbalin@orbalin.org\nhttps://orbalin.org/")) << all.toStdString();
    EXPECT_TRUE(all.contains(QString("Qt ") + qVersion()));
    EXPECT_FALSE(all.contains("Windows"));
    EXPECT_EQ(blueLines,
              (QStringList{"- The Orbalin team (Swedish version)", "- The Orbalin team (Catalan version)",
                           "- The Orbalin team (Hungarian version)", "- The Orbalin team (German version)",
                           "- The Orbalin team (Croatian version)"}));
}

} // namespace
