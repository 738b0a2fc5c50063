// The help page the Help menu opens: in the build folder and in every test's program folder, with
// every picture and link it names, and nothing it needs from elsewhere.
#include "support/programfixture.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
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
    for (const QString& target : attributeValues(html, QStringLiteral("src")) + attributeValues(html, QStringLiteral("href"))) {
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

} // namespace
