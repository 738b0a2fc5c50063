// One program per folder, with real processes: a second start hands over to the running program,
// one that cannot reach it says so, and the lock of a killed program does not block the next start.
#include "support/programfixture.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QThread>

namespace {

class SingleProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QFile::copy(QStringLiteral(ORBALIN_EXECUTABLE), folder.file("orbalin")));
    }

    // Starts the program copied into the folder; `checkOnly` makes it quit once its window is up.
    std::unique_ptr<QProcess> launch(bool checkOnly) {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        if (checkOnly)
            environment.insert("ORBALIN_QUIT_AFTER_START", "1");
        process->setProcessEnvironment(environment);
        process->start(folder.file("orbalin"), {});
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
