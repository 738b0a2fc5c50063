// One program per folder, with real processes: a second start hands over to the running program,
// one that cannot reach it says so, and the lock of a killed program does not block the next start.
// Also the folders a real start finds: a program folder named in Latin-1, an unusable data folder.
#include "platform/qt/singleprogram.h"
#include "support/programfixture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QLockFile>
#include <QProcess>
#include <QThread>
#include <functional>
#include <unistd.h>

namespace {

class SingleProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QFile::copy(QStringLiteral(ORBALIN_EXECUTABLE), folder.file("orbalin")));
    }

    // Starts the program copied into the folder (or `executable`); `checkOnly` makes it quit once
    // its window is up.
    std::unique_ptr<QProcess> launch(bool checkOnly, const QProcessEnvironment& extra = {},
                                     const QString& executable = {}) {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        if (checkOnly)
            environment.insert("ORBALIN_QUIT_AFTER_START", "1");
        environment.insert(extra);
        process->setProcessEnvironment(environment);
        process->start(executable.isEmpty() ? folder.file("orbalin") : executable, {});
        EXPECT_TRUE(process->waitForStarted());
        return process;
    }

    bool appears(const QString& name) {
        QElapsedTimer clock;
        clock.start();
        while (!folder.exists(name) && !clock.hasExpired(20000))
            QThread::msleep(50);
        return folder.exists(name);
    }

    ProgramFolder folder;
};

TEST_F(SingleProgramTest, ASecondStartHandsOverAndAKilledProgramsLockIsTakenOver) {
    const auto first = launch(false);
    ASSERT_TRUE(appears("orbalin.lock"));
    const auto second = launch(false);
    ASSERT_TRUE(second->waitForFinished(20000)) << "the second start opened a window of its own";
    EXPECT_EQ(second->exitCode(), 0) << second->readAllStandardError().toStdString();
    EXPECT_EQ(first->state(), QProcess::Running);

    first->kill();
    first->waitForFinished();
    ASSERT_TRUE(folder.exists("orbalin.lock")) << "a killed program leaves its lock";
    const auto next = launch(true);
    ASSERT_TRUE(next->waitForFinished(60000));
    EXPECT_FALSE(next->readAllStandardError().contains("already running"));
    EXPECT_EQ(next->exitStatus(), QProcess::NormalExit);
}

TEST_F(SingleProgramTest, AStartThatCannotReachTheRunningProgramSaysSo) {
    QLockFile held(folder.file("orbalin.lock")); // held by this test, which answers no one
    ASSERT_TRUE(held.tryLock(0));
    const auto second = launch(true);
    ASSERT_TRUE(second->waitForFinished(30000));
    EXPECT_EQ(second->exitCode(), 2);
    EXPECT_TRUE(second->readAllStandardError().contains("Orbalin is already running from the folder"));
}

} // namespace

namespace {

// The program's lock, held by the child with this pid.
bool heldBy(const QString& lockPath, qint64 pid) {
    QElapsedTimer clock;
    clock.start();
    do {
        qint64 holder = 0;
        QString host, application;
        if (QLockFile(lockPath).getLockInfo(&holder, &host, &application) && holder == pid)
            return true;
        QThread::msleep(50);
    } while (!clock.hasExpired(20000));
    return false;
}

// Nothing runs, whatever lies at the lock's path: each start goes on and clears it.
TEST_F(SingleProgramTest, ALockWithoutALiveHolderDoesNotBlockTheStart) {
    const QByteArray otherHost =
        QByteArray::number(QCoreApplication::applicationPid()) + "\norbalin\nelsewhere.invalid\n";
    const struct {
        const char* name;
        std::function<void(const ProgramFolder&)> make;
    } cases[] = {
        {"empty", [](const ProgramFolder& f) { f.write("orbalin.lock", ""); }},
        {"garbage", [](const ProgramFolder& f) { f.write("orbalin.lock", "\x01\x02 not a lock \xff\n\n"); }},
        {"a folder", [](const ProgramFolder& f) { ASSERT_TRUE(QDir().mkdir(f.file("orbalin.lock"))); }},
        {"a link leading nowhere",
         [](const ProgramFolder& f) { ASSERT_TRUE(QFile::link(f.file("gone"), f.file("orbalin.lock"))); }},
        {"another machine's, naming a live process",
         [&otherHost](const ProgramFolder& f) { f.write("orbalin.lock", otherHost); }},
    };
    std::vector<std::unique_ptr<ProgramFolder>> folders;
    std::vector<std::unique_ptr<QProcess>> starts;
    for (const auto& c : cases) {
        folders.push_back(std::make_unique<ProgramFolder>());
        const ProgramFolder& each = *folders.back();
        ASSERT_TRUE(QFile::copy(QStringLiteral(ORBALIN_EXECUTABLE), each.file("orbalin")));
        c.make(each); // the folder has no config.obn yet: a start that goes on writes it
        starts.push_back(launch(true, {}, each.file("orbalin")));
    }
    for (size_t i = 0; i < starts.size(); ++i) {
        QProcess& start = *starts[i];
        ASSERT_TRUE(start.waitForFinished(60000)) << cases[i].name;
        const QByteArray said = start.readAllStandardError();
        EXPECT_FALSE(said.contains("already running")) << cases[i].name << ": " << said.toStdString();
        EXPECT_TRUE(folders[i]->exists("config.obn")) << cases[i].name << ": the start did not go on";
        EXPECT_FALSE(QFileInfo(folders[i]->file("orbalin.lock")).isSymLink()) << cases[i].name;
        EXPECT_FALSE(folders[i]->exists("gone")) << cases[i].name << ": written through the link";
    }
}

// The name is taken by a listener that does not greet as the program does (another user's, or
// anyone's): the start neither hands over to it nor gives up, and listens in its place.
TEST_F(SingleProgramTest, ASocketNameHeldByAListenerThatIsNotTheProgramDoesNotTakeTheStart) {
    const QString name = SingleProgram::serverPath(folder.path());
    ASSERT_FALSE(name.isEmpty()) << "no private folder for the socket";
    QLocalServer squatter;
    QLocalServer::removeServer(name);
    ASSERT_TRUE(squatter.listen(name));
    // A lock the start cannot take at once, so that it asks on the socket before anything else.
    folder.write("orbalin.lock",
                 QByteArray::number(QCoreApplication::applicationPid()) + "\norbalin\nelsewhere.invalid\n");

    const auto first = launch(false);
    ASSERT_TRUE(heldBy(folder.file("orbalin.lock"), first->processId()))
        << "the start ended: " << first->readAllStandardError().toStdString();
    const auto second = launch(true);
    ASSERT_TRUE(second->waitForFinished(30000));
    EXPECT_EQ(second->exitCode(), 0) << second->readAllStandardError().toStdString();
    EXPECT_EQ(first->state(), QProcess::Running) << "the second start did not hand over to the first";
    first->kill();
    first->waitForFinished();
    QLocalServer::removeServer(name);
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
}

// The program folder moved under a Latin-1 name ("café"), started through a link with a plain
// name. Qt cannot name the folder, so the start is checked through what lands inside it.
TEST_F(SingleProgramTest, AProgramFolderNamedInLatin1IsFoundAndWrittenInItself) {
    const QByteArray base = QFile::encodeName(folder.path());
    const QByteArray latin1 = base + "caf\xe9";
    ASSERT_EQ(::mkdir(latin1.constData(), 0755), 0);
    for (const QString& name : entries(folder.path()))
        ASSERT_EQ(::rename((base + QFile::encodeName(name)).constData(),
                           (latin1 + '/' + QFile::encodeName(name)).constData()),
                  0);
    ASSERT_EQ(::symlink((latin1 + "/orbalin").constData(), (base + "run").constData()), 0);

    const auto start = launch(true, {}, folder.file("run"));
    ASSERT_TRUE(start->waitForFinished(60000));
    const QByteArray said = start->readAllStandardError();
    EXPECT_FALSE(said.contains("could not be loaded")) << said.toStdString();
    EXPECT_EQ(start->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(::access((latin1 + "/config.obn").constData(), F_OK), 0)
        << "the language choice went elsewhere";
    // Qt does not list the Latin-1 name at all: the link is all it sees here.
    EXPECT_EQ(entries(folder.path()), QStringList{QStringLiteral("run")});

    // Back under a name Qt can remove.
    ASSERT_EQ(::rename(latin1.constData(), (base + "cafe").constData()), 0);
}

// Installed for all users (root writes anywhere, so the marker stands for that) and a file where
// the data folder should be: the start says so, naming the folder, and writes nothing beside the
// program; its working pictures have the cache, where what killed writes left is cleared.
TEST_F(SingleProgramTest, AnUnusableDataFolderIsNamedAndTheSharedFolderStaysUntouched) {
    ASSERT_TRUE(QDir().mkpath(folder.file("home/cache/orbalin")));
    folder.write("home/data", "");
    folder.write("home/cache/orbalin/refresh1.bmp.Ab12Cd", "");
    folder.write("shared-install", "");
    folder.write("config.obn", "english.lag\r\n"); // as installed
    const QStringList shipped = entries(folder.path());
    QProcessEnvironment environment;
    environment.insert("XDG_DATA_HOME", folder.file("home/data"));
    environment.insert("XDG_CACHE_HOME", folder.file("home/cache"));
    const auto start = launch(true, environment);
    ASSERT_TRUE(start->waitForFinished(60000));
    const QString said = QString::fromLocal8Bit(start->readAllStandardError());
    EXPECT_EQ(said.count(QStringLiteral(
                             "Orbalin says: Orbalin cannot keep your calibrations and choices: the folder "
                             "\"%1\" cannot be made or written: Not a directory.")
                             .arg(folder.file("home/data/orbalin/"))),
              1)
        << said.toStdString();
    EXPECT_EQ(entries(folder.path()), shipped);
    EXPECT_EQ(entries(folder.file("home/cache/orbalin")), QStringList{}) << "a killed write's leftover stays";
}

} // namespace
