#pragma once

// The built program run as a process from a fresh program folder, for what only a real start shows:
// the lock, the socket, the folders it finds. Include only in orbalin_tests (ORBALIN_EXECUTABLE).
#include "support/programfixture.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <memory>

class ProgramProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QFile::copy(QStringLiteral(ORBALIN_EXECUTABLE), folder.file("orbalin")));
    }

    // Starts the program at `executable` (the copy in the folder unless given); `checkOnly` makes it
    // quit once its window is up. `environment` is added to this process's own.
    std::unique_ptr<QProcess> launch(bool checkOnly, const QProcessEnvironment& environment = {},
                                     const QString& executable = {}) {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment whole = QProcessEnvironment::systemEnvironment();
        whole.insert("QT_QPA_PLATFORM", "offscreen");
        if (checkOnly)
            whole.insert("ORBALIN_QUIT_AFTER_START", "1");
        whole.insert(environment);
        for (const QString& name : environment.keys())
            if (environment.value(name) == QLatin1String("(unset)"))
                whole.remove(name);
        process->setProcessEnvironment(whole);
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
