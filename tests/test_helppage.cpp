// The help page the Help menu opens: in the build folder and in every test's program folder, with
// every picture and link it names, and nothing it needs from elsewhere.
#include "print/tform19.h"
#include "support/programfixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QToolButton>
#include <optional>

namespace {

enum class Folder { Build, TestFixture };

class HelpPage : public ::testing::TestWithParam<Folder> {
protected:
    QString programFolder() {
        if (GetParam() == Folder::Build)
            return QStringLiteral(ORBALIN_BUILD_DIR "/");
        fixture_.emplace();
        return fixture_->path();
    }

private:
    std::optional<ProgramFolder> fixture_;
};

QString pageText(const QDir& help) {
    QFile page(help.filePath(QStringLiteral("help-Orbalin.htm")));
    return page.open(QIODevice::ReadOnly) ? QString::fromUtf8(page.readAll()) : QString();
}

QStringList attributeValues(const QString& html, const QString& attribute) {
    QStringList values;
    const QRegularExpression pattern(QStringLiteral("\\s%1=\"([^\"]*)\"").arg(attribute));
    for (const QRegularExpressionMatch& match : pattern.globalMatch(html))
        values << match.captured(1);
    return values;
}

TEST_P(HelpPage, NamesOnlyItsOwnPicturesAndPlacesAndShowsEveryPictureBeside) {
    const QDir help(programFolder() + QStringLiteral("hlp-obn7000"));
    const QString html = pageText(help);
    ASSERT_FALSE(html.isEmpty()) << "no help page in " << help.path().toStdString();
    EXPECT_TRUE(html.startsWith(QStringLiteral("<!DOCTYPE html>")));

    const QStringList idList = attributeValues(html, QStringLiteral("id"));
    const QSet<QString> ids(idList.begin(), idList.end());
    QSet<QString> shown;
    for (const QString& target :
         attributeValues(html, QStringLiteral("src")) + attributeValues(html, QStringLiteral("href"))) {
        if (target.startsWith(QLatin1Char('#'))) {
            EXPECT_TRUE(ids.contains(target.mid(1))) << "no place named " << target.toStdString();
        } else {
            // The page opens from disk in any browser: no address, no folder outside its own.
            EXPECT_FALSE(target.contains(QLatin1Char(':')) || target.contains(QLatin1Char('/')))
                << target.toStdString();
            EXPECT_TRUE(help.exists(target)) << target.toStdString() << " is missing";
            shown << target;
        }
    }
    for (const QString& picture : help.entryList({QStringLiteral("*.png")}, QDir::Files))
        EXPECT_TRUE(shown.contains(picture)) << picture.toStdString() << " is shipped but not shown";
    EXPECT_GE(shown.size(), 10) << "the page shows the program's windows";
}

INSTANTIATE_TEST_SUITE_P(ProgramFolders, HelpPage, ::testing::Values(Folder::Build, Folder::TestFixture),
                         [](const auto& info) {
                             return std::string(info.param == Folder::Build ? "Build" : "TestFixture");
                         });

// The page from its `<h2 id="...">` to the next heading of its rank.
QString section(const QString& html, const QString& id) {
    const qsizetype start = html.indexOf(QStringLiteral("<h2 id=\"%1\">").arg(id));
    if (start < 0)
        return {};
    return html.mid(start, html.indexOf(QStringLiteral("<h2"), start + 1) - start);
}

QString withoutTags(QString html) {
    return html.remove(QRegularExpression(QStringLiteral("<[^>]*>"))).trimmed();
}

// The first cell of each row of the table of keys: "Ctrl+Shift+Z or Ctrl+Y", "F1 / F2".
QSet<QString> listedKeys(const QString& keysSection) {
    QSet<QString> keys;
    const QRegularExpression firstCell(QStringLiteral("<tr><td>(.*?)</td>"));
    for (const QRegularExpressionMatch& row : firstCell.globalMatch(keysSection))
        for (const QString& key :
             withoutTags(row.captured(1)).split(QRegularExpression(QStringLiteral("\\s+(?:/|or)\\s+"))))
            keys << key;
    return keys;
}

bool inADialog(const QObject* object) {
    for (; object != nullptr; object = object->parent())
        if (qobject_cast<const QDialog*>(object) != nullptr)
            return true;
    return false;
}

class HelpPageAndProgram : public ProgramTest {
protected:
    QString page() { return pageText(QDir(folder.path() + QStringLiteral("hlp-obn7000"))); }
};

// Each key the main window's menus answer is in the table, and the table lists no other.
TEST_F(HelpPageAndProgram, TheTableOfKeysListsEveryShortcutOfTheMainWindowAndNoOther) {
    start();
    QSet<QString> bound;
    for (const QMenu* menu : form().findChildren<QMenu*>())
        if (!inADialog(menu))
            for (const QAction* action : menu->actions())
                for (const QKeySequence& key : action->shortcuts())
                    bound << key.toString(QKeySequence::PortableText);
    ASSERT_TRUE(bound.contains(QStringLiteral("Alt+Backspace"))) << "no Undo key found in the menus";
    const QSet<QString> listed = listedKeys(section(page(), QStringLiteral("keys")));
    const QStringList unlisted = (bound - listed).values();
    const QStringList unbound = (listed - bound).values();
    EXPECT_TRUE(unlisted.isEmpty()) << "keys the page does not list: " << unlisted.join(u' ').toStdString();
    EXPECT_TRUE(unbound.isEmpty()) << "keys the page lists that nothing answers: "
                                   << unbound.join(u' ').toStdString();
}

// Installed for all users, the program writes its user's files in their data folder: the page
// names each of them where it says where the user's files are.
TEST_F(HelpPageAndProgram, NamesEveryFileTheProgramWritesForItsUser) {
    QTemporaryDir userData;
    const QString own = userData.path() + QStringLiteral("/orbalin/");
    ASSERT_TRUE(QDir().mkpath(own));
    program = std::make_unique<Orbalin>(ProgramContext{folder.path(), ui, printer, 0, {}, own});
    Picture(gradientPicture(640, 480)).saveBmp(userData.filePath(QStringLiteral("photo.bmp")));
    openPicture(*program, ui, userData.filePath(QStringLiteral("photo.bmp")), Adjust::Resize);
    ui.modalActions.push_back([](QDialog& shown) { static_cast<TForm19&>(shown).SpeedButton1->click(); });
    control<QToolButton>(form(), "SpeedButton11").click();
    ui.modalActions.push_back(
        [](QDialog& shown) { shown.findChild<QAbstractButton*>(QStringLiteral("Button1"))->click(); });
    control<QAction>(form(), "German1").trigger();
    control<QAction>(form(), "PrintAtScreenResolution1").trigger();

    const QString files = section(page(), QStringLiteral("files"));
    const QStringList written = QDir(own).entryList(QDir::Files);
    EXPECT_GE(written.size(), 5) << written.join(u' ').toStdString();
    for (QString name : written) {
        name.replace(QRegularExpression(QStringLiteral("\\d")),
                     QStringLiteral("1")); // cd2_tmp.bmp as cd1_tmp.bmp
        EXPECT_TRUE(files.contains(QStringLiteral("<code>%1</code>").arg(name))) << name.toStdString();
    }
    EXPECT_TRUE(files.contains(QStringLiteral("$XDG_DATA_HOME/orbalin")));
}

} // namespace
