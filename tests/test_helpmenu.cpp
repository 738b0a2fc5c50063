// The Help menu: credits, licence, and what it hands the desktop to open.
#include "support/programfixture.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTimer>

namespace {

class HelpMenu : public ProgramTest {};

TEST_F(HelpMenu, LicenceOnlySaysItIsNotWrittenYet) {
    start();
    const QStringList filesBefore = QDir(folder.path()).entryList(QDir::Files);
    const size_t callsBefore = ui.calls.size();
    form().Licence1->trigger();
    EXPECT_EQ(ui.messages(), QStringList{"Not yet implemented"});
    EXPECT_EQ(ui.calls.size(), callsBefore + 1);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), filesBefore);
}

TEST_F(HelpMenu, HelpHomepageAndEmailGoToTheDesktop) {
    start();
    form().Help2->trigger();
    form().Homepage1->trigger();
    form().Email1->trigger();
    ASSERT_EQ(ui.openedUrls.size(), 3u);
    EXPECT_TRUE(ui.openedUrls[0].isLocalFile());
    EXPECT_EQ(ui.openedUrls[0].toLocalFile(), folder.path() + "hlp-obn7000/help-Orbalin.htm");
    EXPECT_EQ(ui.openedUrls[1], QUrl("https://orbalin.org/"));
    EXPECT_EQ(ui.openedUrls[2], QUrl("mailto:orbalin@orbalin.org"));
    // A missing page is the desktop's to report, not ours.
    EXPECT_TRUE(ui.messages().isEmpty());
}

TEST_F(HelpMenu, AboutShowsTheCreditsInARealWindow) {
    start();
    ui.realModalWindows = true;
    QString shownBy;
    QStringList lines;
    QStringList blueLines;
    QTimer user;
    user.setInterval(10);
    QObject::connect(&user, &QTimer::timeout, [&] {
        auto* window = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (window == nullptr || !shownBy.isEmpty())
            return;
        shownBy = window->objectName();
        for (const QLabel* label : window->findChildren<QLabel*>()) {
            lines << label->text();
            if (label->palette().color(QPalette::WindowText) == Qt::blue)
                blueLines << label->text();
        }
        window->close(); // the close box
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QApplication::activeModalWidget()->close(); });
    user.start();
    watchdog.start(3000);
    form().About1->trigger();
    ASSERT_TRUE(watchdog.isActive()) << "the credits window was not closed by its close box";
    EXPECT_EQ(shownBy, "Form20");
    const QString all = lines.join('\n');
    EXPECT_TRUE(all.contains("Email : orbalin@orbalin.org")) << all.toStdString();
    EXPECT_TRUE(all.contains("https://orbalin.org/"));
    EXPECT_TRUE(all.contains(QString("Qt ") + qVersion()));
    EXPECT_FALSE(all.contains("Windows"));
    EXPECT_EQ(blueLines,
              (QStringList{"- The Orbalin team (Swedish version)", "- The Orbalin team (Catalan version)",
                           "- The Orbalin team (Hungarian version)", "- The Orbalin team (German version)",
                           "- The Orbalin team (Croatian version)"}));
}

} // namespace
