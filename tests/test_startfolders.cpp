// The folders a real start finds: a program folder whose name is not UTF-8, a data folder that
// cannot be used beside a folder installed for all users, and what killed writes left behind.
#include "support/programprocess.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

using StartFolders = ProgramProcessTest;

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
}

// The program folder moved under a Latin-1 name ("café"), started through a link with a plain
// name. Qt cannot name the folder, so the start is checked through what lands inside it.
TEST_F(StartFolders, AProgramFolderNamedInLatin1IsFoundAndWrittenInItself) {
    const QByteArray base = QFile::encodeName(folder.path());
    const QByteArray latin1 = base + "caf\xe9";
    ASSERT_EQ(::mkdir(latin1.constData(), 0755), 0);
    for (const QString& name : entries(folder.path()))
        ASSERT_EQ(::rename((base + QFile::encodeName(name)).constData(), (latin1 + '/' + QFile::encodeName(name)).constData()), 0);
    ::unlink((latin1 + "/config.obn").constData()); // made again at the start, in the folder found
    ASSERT_EQ(::symlink((latin1 + "/orbalin").constData(), (base + "run").constData()), 0);

    const auto start = launch(true, {}, folder.file("run"));
    ASSERT_TRUE(start->waitForFinished(60000));
    const QByteArray said = start->readAllStandardError();
    EXPECT_FALSE(said.contains("could not be loaded")) << said.toStdString();
    EXPECT_EQ(start->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(::access((latin1 + "/config.obn").constData(), F_OK), 0) << "the language choice was written elsewhere";
    // Qt does not list the Latin-1 name at all: the link is all it sees here.
    EXPECT_EQ(entries(folder.path()), QStringList{QStringLiteral("run")});

    // Back under a name Qt can remove.
    ASSERT_EQ(::rename(latin1.constData(), (base + "cafe").constData()), 0);
}

// Installed for all users (root writes anywhere, so the marker stands for that) and a file where
// the data folder should be: the start says so, naming the folder, and writes nothing beside the
// program; its working pictures have the cache.
TEST_F(StartFolders, AnUnusableDataFolderIsNamedAndTheSharedFolderStaysUntouched) {
    folder.write("shared-install", "");
    folder.write("config.obn", "english.lag\r\n"); // as installed
    QTemporaryDir user;
    QFile blocker(user.filePath("data"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QStringList shipped = entries(folder.path());
    QProcessEnvironment environment;
    environment.insert("XDG_DATA_HOME", user.filePath("data"));
    environment.insert("XDG_CACHE_HOME", user.filePath("cache"));

    const auto start = launch(true, environment);
    ASSERT_TRUE(start->waitForFinished(60000));
    const QString said = QString::fromLocal8Bit(start->readAllStandardError());
    EXPECT_EQ(start->exitCode(), 2) << "the start said nothing";
    EXPECT_EQ(said.count(QStringLiteral("Orbalin says: Orbalin cannot keep your calibrations and choices: the "
                                        "folder \"%1\" cannot be made or written: Not a directory.")
                             .arg(user.filePath("data/orbalin/"))),
              1)
        << said.toStdString();
    EXPECT_EQ(entries(folder.path()), shipped);
    EXPECT_TRUE(QFileInfo(user.filePath("cache/orbalin")).isDir());
}

// Only the program holding the folder may clear them: a start does, once it holds the lock.
TEST_F(StartFolders, AStartRemovesWhatKilledWritesLeft) {
    folder.write("refresh1.bmp.Ab12Cd", "half a picture");
    folder.write("Cd_cfg.ini.x9Y8z7", "0.5");
    folder.write("photo.jpg.Ab12Cd", "the user's");
    const auto start = launch(true);
    ASSERT_TRUE(start->waitForFinished(60000));
    EXPECT_EQ(start->exitStatus(), QProcess::NormalExit);
    EXPECT_FALSE(folder.exists("refresh1.bmp.Ab12Cd"));
    EXPECT_FALSE(folder.exists("Cd_cfg.ini.x9Y8z7"));
    EXPECT_TRUE(folder.exists("photo.jpg.Ab12Cd"));
}

} // namespace
