// One version, one homepage and one contact address: what the program shows (title, About box,
// Help menu) and what is shipped with it (changelog, AppStream metadata, copyright, README) all
// follow the project's own (CMakeLists.txt).
#include "support/programfixture.h"

#include <QDateTime>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>

namespace {

const QString kVersion = QStringLiteral(ORBALIN_PROJECT_VERSION);
const QString kHomePage = QStringLiteral(ORBALIN_HOMEPAGE);
const QString kMail = QStringLiteral(ORBALIN_MAIL);

QString textOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << path.toStdString();
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

QString source(const char* name) {
    return textOf(QStringLiteral(ORBALIN_SOURCE_DIR "/") + QLatin1String(name));
}

QString built(const char* name) {
    return textOf(QStringLiteral(ORBALIN_BUILD_DIR "/") + QLatin1String(name));
}

QStringList matches(const QString& text, const QString& pattern) {
    QStringList found;
    for (const QRegularExpressionMatch& match : QRegularExpression(pattern).globalMatch(text))
        found << match.captured(1);
    return found;
}

class ProjectFacts : public ProgramTest {
protected:
    QString aboutBoxText() {
        QStringList lines;
        for (const QLabel* label :
             form().findChild<QDialog*>(QStringLiteral("Form20"))->findChildren<QLabel*>())
            lines << label->text();
        return lines.join(u'\n');
    }
};

TEST_F(ProjectFacts, TheTitleTheAboutBoxTheChangelogAndTheReleaseShowTheProjectsVersion) {
    start();
    EXPECT_EQ(form().windowTitle(), QStringLiteral("Orbalin Special Edition ") + kVersion);
    EXPECT_TRUE(aboutBoxText().contains(QStringLiteral("Version ") + kVersion))
        << aboutBoxText().toStdString();

    // The newest entry comes first: "orbalin (VERSION) ..." and its signature line with the day.
    const QString changelog = source("desktop/changelog");
    EXPECT_EQ(matches(changelog, QStringLiteral("^orbalin \\(([^)]*)\\)")).value(0), kVersion);
    const QString signedOn = matches(changelog, QStringLiteral("\\n -- [^\\n]*>  ([^\\n]+)")).value(0);
    EXPECT_EQ(QDateTime::fromString(signedOn, Qt::RFC2822Date).date().toString(Qt::ISODate),
              QStringLiteral(ORBALIN_RELEASE_DATE))
        << signedOn.toStdString();

    const QString metainfo = built("desktop/orbalin.metainfo.xml");
    EXPECT_EQ(matches(metainfo, QStringLiteral("<release version=\"([^\"]*)\"")), QStringList{kVersion});
    EXPECT_EQ(matches(metainfo, QStringLiteral("<release [^>]*date=\"([^\"]*)\"")),
              QStringList{QStringLiteral(ORBALIN_RELEASE_DATE)});
}

TEST_F(ProjectFacts, OneHomepageAndOneContactAddressEverywhere) {
    start();
    control<QAction>(form(), "Homepage1").trigger();
    control<QAction>(form(), "Email1").trigger();
    ASSERT_EQ(ui.openedUrls.size(), 2u);
    EXPECT_EQ(ui.openedUrls[0], QUrl(kHomePage));
    EXPECT_EQ(ui.openedUrls[1], QUrl(QStringLiteral("mailto:") + kMail));
    EXPECT_TRUE(aboutBoxText().contains(QStringLiteral("Email : ") + kMail + u'\n' + kHomePage))
        << aboutBoxText().toStdString();

    // Every web address of the project's own and every mail address in what is shipped and read.
    const QString readme = source("README.md");
    EXPECT_TRUE(readme.contains(kHomePage) && readme.contains(kMail)) << "README.md names neither";
    const std::pair<const char*, QString> shipped[] = {
        {"README.md", readme},
        {"desktop/changelog", source("desktop/changelog")},
        {"desktop/copyright", built("desktop/copyright")},
        {"the AppStream metadata", built("desktop/orbalin.metainfo.xml")},
        {"the menu entry", source("desktop/orbalin.desktop.in")},
        {"the help page", source("data/hlp-obn7000/help-Orbalin.htm")},
    };
    for (const auto& [name, text] : shipped) {
        for (const QString& address :
             matches(text, QStringLiteral("(https?://[^\\s\"<>)]*orbalin[^\\s\"<>)]*)")))
            EXPECT_TRUE(address.startsWith(kHomePage)) << name << ": " << address.toStdString();
        for (const QString& mail : matches(text, QStringLiteral("([\\w.+-]+@[\\w-]+\\.[\\w.-]*\\w)")))
            EXPECT_EQ(mail, kMail) << name;
    }
    EXPECT_TRUE(built("desktop/copyright")
                    .contains(QStringLiteral("Upstream-Contact: The Orbalin developers <") + kMail + u'>'));
}

} // namespace
