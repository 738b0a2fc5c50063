// Files written whole or not at all, and the program's own files kept inside its folder.
#include "platform/filemessages.h"
#include "platform/linelist.h"
#include "platform/orbalinerror.h"
#include "platform/picture.h"
#include "platform/safewrite.h"

#include "support/tempfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const FileOwner kOwners[] = {FileOwner::Program, FileOwner::User};

const char* nameOf(FileOwner owner) {
    return owner == FileOwner::Program ? "program's file" : "user's file";
}

FileWriter writing(const QByteArray& bytes) {
    return [bytes](QIODevice& device) { return device.write(bytes) == bytes.size(); };
}

class SafeWrite : public TempFiles {
protected:
    // A second folder standing for everything outside the program's folder.
    QTemporaryDir outside;

    QString outsideFile(const QString& name, const QByteArray& bytes) const {
        const QString file = outside.filePath(name);
        QFile out(file);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
        return file;
    }
    QString link(const QString& name, const QString& target) const {
        EXPECT_TRUE(QFile::link(target, path(name)));
        return path(name);
    }
    QStringList entries() const {
        return QDir(dir.path()).entryList(QDir::Files | QDir::System | QDir::Hidden);
    }
};

// The descriptor of the file being written in `folder` (a temporary one, named or not).
int descriptorWritingInto(const QString& folder) {
    for (const QString& fd : QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::System | QDir::Files)) {
        char target[4096];
        const QByteArray link = QFile::encodeName(QStringLiteral("/proc/self/fd/") + fd);
        const ssize_t length = ::readlink(link.constData(), target, sizeof(target) - 1);
        if (length > 0 && QString::fromLocal8Bit(target, length).startsWith(folder + QLatin1Char('/')))
            return fd.toInt();
    }
    return -1;
}

// Qt keeps small writes in a buffer; this writer's bytes then meet a device with no room left
// (/dev/full), as a full disk's do when the buffer is flushed.
TEST_F(SafeWrite, BufferedBytesThatFindTheDiskFullLeaveTheOldFileWhole) {
    for (const FileOwner owner : kOwners) {
        const QString target = write(QStringLiteral("settings.ini"), "old contents\r\n");
        const std::optional<QString> failure = writeWhole(target, owner, [this](QIODevice& device) {
            device.write("new contents\r\n");
            const int fd = descriptorWritingInto(dir.path());
            const int full = ::open("/dev/full", O_WRONLY);
            EXPECT_GE(fd, 0);
            EXPECT_GE(full, 0) << "/dev/full is needed";
            ::dup2(full, fd);
            ::close(full);
            return true;
        });
        ASSERT_TRUE(failure.has_value()) << nameOf(owner);
        EXPECT_EQ(failure->toStdString(), diskFullReason().toStdString()) << nameOf(owner);
        EXPECT_EQ(contents(target), "old contents\r\n") << nameOf(owner);
        EXPECT_EQ(entries(), QStringList{"settings.ini"}) << nameOf(owner) << ": no temporary file left";
    }
}

// A write that the disk cuts short reports no error of its own; the rest is written again so the
// disk's reason (here: the process's file-size limit) comes out instead of "Unknown error".
TEST_F(SafeWrite, AWriteCutShortGivesTheSystemsReason) {
    const QByteArray big(64 * 1024, 'n');
    rlimit before{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    for (const FileOwner owner : kOwners) {
        const QString target = write(QStringLiteral("picture.bmp"), QByteArray(100, 'o'));
        rlimit small = before;
        small.rlim_cur = 20 * 1024;
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
        const std::optional<QString> failure = writeWhole(target, owner, writing(big));
        ::setrlimit(RLIMIT_FSIZE, &before);
        ASSERT_TRUE(failure.has_value()) << nameOf(owner);
        EXPECT_TRUE(failure->contains(QLatin1String("too large"), Qt::CaseInsensitive))
            << nameOf(owner) << ": " << failure->toStdString();
        EXPECT_EQ(contents(target), QByteArray(100, 'o')) << nameOf(owner);
        EXPECT_EQ(entries(), QStringList{"picture.bmp"}) << nameOf(owner);
    }
    std::signal(SIGXFSZ, oldHandler);
}

TEST_F(SafeWrite, ReplacingAFileKeepsItsPermissions) {
    for (const FileOwner owner : kOwners) {
        const QString target = write(QStringLiteral("shared.ini"), "a");
        const QFile::Permissions readable = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
        ASSERT_TRUE(QFile::setPermissions(target, readable));
        EXPECT_EQ(writeWhole(target, owner, writing("b")), std::nullopt);
        EXPECT_EQ(contents(target), "b");
        EXPECT_EQ(QFileInfo(target).permissions() & ~(QFile::ReadUser | QFile::WriteUser), readable)
            << nameOf(owner);
    }
}

// A refresh file of mode 000 rewritten as it was could no longer be read by the program.
TEST_F(SafeWrite, TheProgramCanReadItsOwnFileAgainWhateverRightsTheOldOneHad) {
    const QString target = write(QStringLiteral("refresh1.bmp"), "old");
    ASSERT_TRUE(QFile::setPermissions(target, {}));
    EXPECT_EQ(writeWhole(target, FileOwner::Program, writing("new")), std::nullopt);
    EXPECT_EQ(QFileInfo(target).permissions() & ~(QFile::ReadUser | QFile::WriteUser),
              QFile::ReadOwner | QFile::WriteOwner);
}

// A write killed between its last byte and the rename leaves its file under the fresh name.
TEST_F(SafeWrite, LeftoversOfKilledWritesAreRemovedAndNothingElse) {
    for (const char* name : {"refresh1.bmp.Ab12Cd", "Cd_cfg.ini.x9Y8z7", "config.obn.000000", "refresh1.bmp",
                             "photo.jpg.Ab12Cd", "notes.bmp.Ab12Cd7", "Cd_cfg.ini.x9-8z7"})
        write(QLatin1String(name), "x");
    removeStagedLeftovers(dir.path());
    EXPECT_EQ(entries(),
              (QStringList{"Cd_cfg.ini.x9-8z7", "notes.bmp.Ab12Cd7", "photo.jpg.Ab12Cd", "refresh1.bmp"}));
}

TEST_F(SafeWrite, TheProgramReplacesALinkAndTheUserWritesThroughIt) {
    const QString elsewhere = outsideFile(QStringLiteral("passwd"), "root:x:0:0\n");
    const QString own = link(QStringLiteral("config.obn"), elsewhere);
    EXPECT_EQ(writeWhole(own, FileOwner::Program, writing("english.lag\r\n")), std::nullopt);
    EXPECT_EQ(contents(elsewhere), "root:x:0:0\n");
    EXPECT_FALSE(QFileInfo(own).isSymLink());
    EXPECT_EQ(contents(own), "english.lag\r\n");

    const QString chosen = link(QStringLiteral("chosen.bmp"), elsewhere);
    EXPECT_EQ(writeWhole(chosen, FileOwner::User, writing("picture")), std::nullopt);
    EXPECT_TRUE(QFileInfo(chosen).isSymLink());
    EXPECT_EQ(contents(elsewhere), "picture");
}

TEST_F(SafeWrite, ALinkLeadingNowhereMakesNoFileOutsideTheFolder) {
    const QString nowhere = outside.filePath(QStringLiteral("made.bmp"));
    const QString own = link(QStringLiteral("tst.bmp"), nowhere);
    EXPECT_EQ(writeWhole(own, FileOwner::Program, writing("bmp")), std::nullopt);
    EXPECT_FALSE(QFileInfo::exists(nowhere));
    EXPECT_FALSE(QFileInfo(own).isSymLink());
    EXPECT_EQ(contents(own), "bmp");
}

TEST_F(SafeWrite, OwnFilesAreReadThroughLinksOnlyInsideTheirFolder) {
    write(QStringLiteral("plain.ini"), "1");
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    write(QStringLiteral("sub/deeper.ini"), "2");
    link(QStringLiteral("inside.ini"), path(QStringLiteral("plain.ini")));
    link(QStringLiteral("down.ini"), path(QStringLiteral("sub/deeper.ini")));
    const QString elsewhere = outsideFile(QStringLiteral("away.ini"), "3");
    link(QStringLiteral("away.ini"), elsewhere);
    link(QStringLiteral("nowhere.ini"), outside.filePath(QStringLiteral("missing.ini")));
    link(QStringLiteral("chain.ini"), path(QStringLiteral("away.ini")));

    for (const char* name : {"plain.ini", "inside.ini", "down.ini"})
        EXPECT_EQ(linkLeavingFolder(path(QLatin1String(name))), std::nullopt) << name;
    const struct {
        const char* name;
        const char* reasonHas;
    } refused[] = {{"away.ini", "outside its folder"},
                   {"chain.ini", "outside its folder"},
                   {"nowhere.ini", "does not exist"}};
    for (const auto& c : refused) {
        const std::optional<QString> reason = linkLeavingFolder(path(QLatin1String(c.name)));
        ASSERT_TRUE(reason.has_value()) << c.name;
        EXPECT_TRUE(reason->contains(QLatin1String(c.reasonHas))) << reason->toStdString();
    }

    EXPECT_EQ(readLines(path(QStringLiteral("inside.ini"))), QStringList{"1"});
    try {
        readLines(path(QStringLiteral("away.ini")));
        ADD_FAILURE() << "read through a link leading out of the folder";
    } catch (const OrbalinError& error) {
        EXPECT_TRUE(error.message().contains(QLatin1String("away.ini"))) << error.what();
        EXPECT_TRUE(error.message().contains(elsewhere)) << error.what();
    }
}

TEST_F(SafeWrite, ProgramPicturesAreReadThroughLinksOnlyInsideTheirFolder) {
    QImage image(4, 4, QImage::Format_BGR888);
    image.fill(Qt::red);
    const QString elsewhere = outside.filePath(QStringLiteral("round.bmp"));
    Picture(image).saveBmp(elsewhere);
    Picture(image).saveBmp(path(QStringLiteral("mine.bmp")));
    link(QStringLiteral("round.bmp"), elsewhere);
    link(QStringLiteral("refresh1.bmp"), path(QStringLiteral("mine.bmp")));

    EXPECT_EQ(Picture::loadProgramBmp(path(QStringLiteral("refresh1.bmp"))).width(), 4);
    EXPECT_EQ(Picture::loadBmp(path(QStringLiteral("round.bmp"))).width(), 4)
        << "the user's pictures may be links";
    try {
        Picture::loadProgramBmp(path(QStringLiteral("round.bmp")));
        ADD_FAILURE() << "read through a link leading out of the folder";
    } catch (const OrbalinError& error) {
        EXPECT_TRUE(error.message().contains(QLatin1String("outside its folder"))) << error.what();
    }
}

} // namespace
