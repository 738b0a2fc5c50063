// Where the program writes its own files: never in a program folder shared by all users, the
// working pictures apart from the calibrations, a private folder for the socket, and a program
// folder found whatever bytes its name holds.
#include "platform/ownfolder.h"
#include "platform/programfolder.h"

#include "support/tempfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Sets environment variables for one test and puts them back after.
class Environment {
public:
    ~Environment() {
        for (const auto& [name, value] : saved_)
            value ? qputenv(name, *value) : qunsetenv(name);
    }
    void set(const char* name, const QString& value) {
        keep(name);
        qputenv(name, QFile::encodeName(value));
    }
    void unset(const char* name) {
        keep(name);
        qunsetenv(name);
    }

private:
    void keep(const char* name) {
        if (qEnvironmentVariableIsSet(name))
            saved_.push_back({name, qgetenv(name)});
        else
            saved_.push_back({name, std::nullopt});
    }
    std::vector<std::pair<const char*, std::optional<QByteArray>>> saved_;
};

class OwnFolderTest : public TempFiles {
protected:
    QString folder(const QString& name) const {
        EXPECT_TRUE(QDir().mkpath(path(name)));
        return path(name) + QLatin1Char('/');
    }
    Environment environment;
};

TEST_F(OwnFolderTest, AWritableProgramFolderHoldsEverything) {
    const QString program = folder("program");
    const OwnFolders chosen = foldersForOwnFiles(program, {path("data/orbalin/"), path("cache/orbalin/")});
    EXPECT_EQ(chosen.own, program);
    EXPECT_EQ(chosen.work, program);
    EXPECT_TRUE(chosen.problem.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(path("data"))) << "a user folder made for nothing";
}

// Root writes anywhere: the marker alone keeps a package's folder clean.
TEST_F(OwnFolderTest, ASharedProgramFolderSendsChoicesToDataAndWorkingPicturesToTheCache) {
    const QString program = folder("program");
    write("program/shared-install", "");
    const OwnFolders chosen = foldersForOwnFiles(program, {path("data/orbalin/"), path("cache/orbalin/")});
    EXPECT_EQ(chosen.own, path("data/orbalin/"));
    EXPECT_EQ(chosen.work, path("cache/orbalin/"));
    EXPECT_TRUE(chosen.problem.isEmpty()) << chosen.problem.toStdString();
    EXPECT_TRUE(QFileInfo(path("cache/orbalin")).isDir());
    EXPECT_EQ(QDir(program).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{"shared-install"});
}

TEST_F(OwnFolderTest, AnUnusableDataFolderIsNamedAndNeverReplacedByTheProgramFolder) {
    const QString program = folder("program");
    write("program/shared-install", "");
    write("datafile", "a file where the data folder should be");
    const struct {
        const char* name;
        UserFolders user;
        QString own, work;
        const char* problemHas;
    } cases[] = {
        {"a file in its place", {path("datafile/orbalin/"), path("cache/orbalin/")}, path("datafile/orbalin/"),
         path("cache/orbalin/"), "datafile/orbalin"},
        {"no home folder", {{}, {}}, {}, {}, "HOME is not set"},
        {"cache unusable too", {path("datafile/orbalin/"), path("datafile/cache/")}, path("datafile/orbalin/"),
         {}, "datafile/orbalin"},
    };
    for (const auto& c : cases) {
        const OwnFolders chosen = foldersForOwnFiles(program, c.user);
        EXPECT_TRUE(chosen.problem.contains(QLatin1String(c.problemHas))) << c.name << ": " << chosen.problem.toStdString();
        EXPECT_TRUE(chosen.problem.startsWith(QLatin1String("Orbalin cannot keep your calibrations"))) << c.name;
        EXPECT_NE(chosen.own, program) << c.name;
        EXPECT_NE(chosen.work, program) << c.name;
        if (!c.own.isEmpty()) {
            EXPECT_EQ(chosen.own, c.own) << c.name;
        }
        // Without a cache the working pictures go to the private folder, while there is one.
        EXPECT_EQ(chosen.work, c.work.isEmpty() ? privateRuntimeFolder() : c.work) << c.name;
    }
    EXPECT_EQ(QDir(program).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{"shared-install"});
}

TEST_F(OwnFolderTest, AnUnusableCacheSendsWorkingPicturesToTheDataFolder) {
    const QString program = folder("program");
    write("program/shared-install", "");
    write("cachefile", "");
    const OwnFolders chosen = foldersForOwnFiles(program, {path("data/orbalin/"), path("cachefile/orbalin/")});
    EXPECT_EQ(chosen.work, path("data/orbalin/"));
    EXPECT_TRUE(chosen.problem.isEmpty());
}

TEST_F(OwnFolderTest, UserFoldersFollowTheDesktopAndIgnoreRelativePaths) {
    environment.set("HOME", path("home"));
    environment.set("XDG_DATA_HOME", path("xdgdata"));
    environment.set("XDG_CACHE_HOME", QStringLiteral("relative/cache"));
    UserFolders user = userFolders();
    EXPECT_EQ(user.data, path("xdgdata/orbalin/"));
    EXPECT_EQ(user.cache, path("home/.cache/orbalin/"));

    environment.unset("HOME");
    environment.unset("XDG_DATA_HOME");
    user = userFolders();
    EXPECT_FALSE(user.data.startsWith(QLatin1String("/.local"))) << "a missing HOME is not the root folder";
    EXPECT_TRUE(user.data.endsWith(QLatin1String("/.local/share/orbalin/"))) << user.data.toStdString();
    EXPECT_NE(user.data, QStringLiteral("/.local/share/orbalin/"));
}

TEST_F(OwnFolderTest, ThePrivateFolderIsOnlyEverTheUsersOwn) {
    const QString runtime = folder("runtime");
    environment.set("XDG_RUNTIME_DIR", runtime);
    ASSERT_EQ(::chmod(QFile::encodeName(runtime).constData(), 0700), 0);
    EXPECT_EQ(privateRuntimeFolder(), runtime);

    // Others may write it, or its path leaves no room for a socket: the temporary folder serves.
    const QString temporary = folder("tmp");
    environment.set("TMPDIR", temporary);
    const QString mine = temporary + QStringLiteral("orbalin-%1").arg(::getuid());
    ASSERT_EQ(::chmod(QFile::encodeName(runtime).constData(), 0777), 0);
    EXPECT_EQ(privateRuntimeFolder(), mine + QLatin1Char('/'));
    EXPECT_EQ((QFileInfo(mine).permissions() & (QFile::WriteOther | QFile::ReadOther | QFile::WriteGroup)).toInt(), 0);
    const QString deep = folder(QString(90, QLatin1Char('r')));
    ASSERT_EQ(::chmod(QFile::encodeName(deep).constData(), 0700), 0);
    environment.set("XDG_RUNTIME_DIR", deep);
    EXPECT_EQ(privateRuntimeFolder(), mine + QLatin1Char('/'));

    // One made before by someone else, or open to others, or a link, is passed over for /tmp.
    const QString inTmp = QStringLiteral("/tmp/orbalin-%1/").arg(::getuid());
    if (::getuid() == 0) {
        ASSERT_EQ(::chown(QFile::encodeName(mine).constData(), 65534, 65534), 0);
        EXPECT_EQ(privateRuntimeFolder(), inTmp) << "another user's folder";
        ASSERT_EQ(::chown(QFile::encodeName(mine).constData(), 0, 0), 0);
    }
    ASSERT_EQ(::chmod(QFile::encodeName(mine).constData(), 0777), 0);
    EXPECT_EQ(privateRuntimeFolder(), inTmp);
    ASSERT_TRUE(QDir(mine).removeRecursively());
    ASSERT_TRUE(QFile::link(runtime, mine));
    ASSERT_EQ(::chmod(QFile::encodeName(runtime).constData(), 0700), 0);
    environment.unset("XDG_RUNTIME_DIR");
    EXPECT_EQ(privateRuntimeFolder(), inTmp);
}

TEST_F(OwnFolderTest, AProgramFolderNamedInLatin1IsReachedAsItIs) {
    const QByteArray latin1 = QFile::encodeName(dir.path()) + "/caf\xe9";
    ASSERT_EQ(::mkdir(latin1.constData(), 0755), 0);
    {
        QFile shipped(QFile::decodeName(latin1 + "/round.bmp"));
        const int fd = ::open((latin1 + "/round.bmp").constData(), O_CREAT | O_WRONLY, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, "BM", 2), 2);
        ::close(fd);
        EXPECT_FALSE(shipped.exists()) << "Qt can name this folder after all; the test proves nothing";
    }
    const QString found = programFolderOf(latin1 + "/orbalin");
    ASSERT_FALSE(found.isEmpty());
    EXPECT_TRUE(found.endsWith(QLatin1Char('/')));
    QFile file(found + QStringLiteral("round.bmp"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << found.toStdString();
    EXPECT_EQ(file.readAll(), "BM");
    EXPECT_TRUE(shownFolderName(found).startsWith(dir.path() + QStringLiteral("/caf"))) << shownFolderName(found).toStdString();

    EXPECT_EQ(programFolderOf(QFile::encodeName(dir.path()) + "/plain/orbalin"), dir.path() + "/plain/");
    EXPECT_EQ(shownFolderName(dir.path() + "/plain/"), dir.path() + "/plain/");
    EXPECT_TRUE(programFolderOf("orbalin").isEmpty()) << "no folder is not the root folder";
    EXPECT_TRUE(programFolderOf(QFile::encodeName(dir.path()) + "/gon\xe9/orbalin").isEmpty());
    ASSERT_EQ(::rename(latin1.constData(), (QFile::encodeName(dir.path()) + "/cafe").constData()), 0); // for the clean-up
}

} // namespace
