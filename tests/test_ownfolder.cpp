// Where the program writes when its folder is not for it, and the private folder for its socket.
#include "platform/ownfolder.h"

#include "support/tempfiles.h"

#include <QDir>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using UserFiles = TempFiles;

// One environment variable for one test.
struct Setting {
    Setting(const char* name, const QString& value)
        : name(name), had(qEnvironmentVariableIsSet(name)), old(qgetenv(name)) {
        value.isNull() ? qunsetenv(name) : qputenv(name, QFile::encodeName(value));
    }
    ~Setting() { had ? qputenv(name, old) : qunsetenv(name); }
    const char* name;
    bool had;
    QByteArray old;
};

// Root writes anywhere: the marker alone keeps a package's folder clean, whatever the user's
// folders are like.
TEST_F(UserFiles, ASharedProgramFolderIsNeverWrittenWhateverTheUsersFolders) {
    const QString program = path("program/");
    ASSERT_TRUE(QDir().mkpath(program));
    write("program/shared-install", "");
    write("file", "");
    const QString runtime = privateRuntimeFolder();
    const struct {
        const char* name;
        UserFolders user;
        QString own, work;
        QString problemHas;
    } cases[] = {
        {"a file for the cache", {path("data/"), path("file/c/")}, path("data/"), path("data/"), {}},
        {"a file for the data",
         {path("file/d/"), path("cache/")},
         path("file/d/"),
         path("cache/"),
         path("file/d/") + "\" cannot be made or written: Not a directory."},
        {"no home", {}, runtime, runtime, "HOME is not set"},
    };
    for (const auto& c : cases) {
        const OwnFolders chosen = foldersForOwnFiles(program, c.user);
        EXPECT_EQ(chosen.own, c.own) << c.name;
        EXPECT_EQ(chosen.work, c.work) << c.name;
        EXPECT_EQ(chosen.problem.isEmpty(), c.problemHas.isEmpty()) << c.name;
        EXPECT_TRUE(chosen.problem.contains(c.problemHas)) << c.name << ": " << chosen.problem.toStdString();
    }
    EXPECT_EQ(QDir(program).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{"shared-install"});
}

TEST_F(UserFiles, AMissingHomeIsTheUsersEntryNotTheRootFolder) {
    const Setting home("HOME", {});
    const Setting data("XDG_DATA_HOME", QStringLiteral("relative/is/ignored"));
    const QString folder = userFolders().data;
    EXPECT_TRUE(folder.endsWith(QLatin1String("/.local/share/orbalin/")) &&
                !folder.startsWith(QLatin1String("/.local")))
        << folder.toStdString();
}

// Others may write it, another user made it, or its path leaves no room for a socket's name:
// the next place serves, down to /tmp.
TEST_F(UserFiles, ThePrivateFolderIsOnlyEverTheUsersOwn) {
    const QString runtime = path(QString(90, QLatin1Char('r')));
    ASSERT_TRUE(QDir().mkpath(runtime) && QDir().mkpath(path("tmp")));
    const Setting xdg("XDG_RUNTIME_DIR", runtime);
    const Setting tmp("TMPDIR", path("tmp"));
    const QString mine = path(QStringLiteral("tmp/orbalin-%1").arg(::getuid()));
    const QString inTmp = QStringLiteral("/tmp/orbalin-%1/").arg(::getuid());
    ASSERT_EQ(::chmod(QFile::encodeName(runtime).constData(), 0700), 0);
    EXPECT_EQ(privateRuntimeFolder(), mine + '/') << "too deep for a socket";
    EXPECT_EQ(QFileInfo(mine).permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (::getuid() == 0) {
        ASSERT_EQ(::chown(QFile::encodeName(mine).constData(), 65534, 65534), 0);
        EXPECT_EQ(privateRuntimeFolder(), inTmp) << "another user's";
        ASSERT_EQ(::chown(QFile::encodeName(mine).constData(), 0, 0), 0);
    }
    ASSERT_EQ(::chmod(QFile::encodeName(mine).constData(), 0777), 0);
    EXPECT_EQ(privateRuntimeFolder(), inTmp) << "open to others";
}

} // namespace
