// One program per folder, with real processes: a second start hands over to the running program,
// one that cannot reach it says so, and the lock of a killed program does not block the next start.
#include "platform/qt/singleprogram.h"
#include "support/programprocess.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QThread>
#include <functional>
#include <vector>

namespace {

using SingleProgramTest = ProgramProcessTest;

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
        {"a link leading nowhere", [](const ProgramFolder& f) { ASSERT_TRUE(QFile::link(f.file("gone"), f.file("orbalin.lock"))); }},
        {"another machine's, naming a live process", [&otherHost](const ProgramFolder& f) { f.write("orbalin.lock", otherHost); }},
    };
    std::vector<std::unique_ptr<ProgramFolder>> folders;
    std::vector<std::unique_ptr<QProcess>> starts;
    for (const auto& c : cases) {
        folders.push_back(std::make_unique<ProgramFolder>());
        const ProgramFolder& each = *folders.back();
        ASSERT_TRUE(QFile::copy(QStringLiteral(ORBALIN_EXECUTABLE), each.file("orbalin")));
        c.make(each);
        each.remove("config.obn"); // written again by a start that goes on
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
    folder.write("orbalin.lock", QByteArray::number(QCoreApplication::applicationPid()) + "\norbalin\nelsewhere.invalid\n");

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

// A temporary folder too deep for a socket's name: the socket goes to a short private folder, so
// a second start still reaches the first instead of calling it unreachable.
TEST_F(SingleProgramTest, ADeepTemporaryFolderStillLetsASecondStartHandOver) {
    const QString deep = folder.file(QString(60, QLatin1Char('t')) + QLatin1Char('/') + QString(60, QLatin1Char('u')));
    ASSERT_TRUE(QDir().mkpath(deep));
    QProcessEnvironment environment;
    environment.insert("TMPDIR", deep);
    environment.insert("XDG_RUNTIME_DIR", "(unset)");
    const auto first = launch(false, environment);
    ASSERT_TRUE(heldBy(folder.file("orbalin.lock"), first->processId()));
    const auto second = launch(true, environment);
    ASSERT_TRUE(second->waitForFinished(30000));
    const QByteArray said = second->readAllStandardError();
    EXPECT_FALSE(said.contains("already running")) << said.toStdString();
    EXPECT_EQ(second->exitCode(), 0) << said.toStdString();
    EXPECT_EQ(first->state(), QProcess::Running);
    first->kill();
    first->waitForFinished();
    QLocalServer::removeServer(SingleProgram::serverPath(folder.path()));
}

} // namespace
