#include "platform/linelist.h"
#include "platform/orbalinerror.h"

#include "support/tempfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class LineFiles : public TempFiles {
protected:
    template <typename Call> static void expectErrorNaming(const QString& name, Call call) {
        try {
            call();
            ADD_FAILURE() << "no error for " << name.toStdString();
        } catch (const OrbalinError& e) {
            EXPECT_TRUE(e.message().contains(name)) << e.what();
        }
    }
};

TEST_F(LineFiles, EveryLineEndingSplitsLines) {
    const struct {
        QByteArray bytes;
        QStringList lines;
    } cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\nb\nc\rd\r\n", {"a", "b", "c", "d"}},
        {"first\r\nlast", {"first", "last"}},
        {"only", {"only"}},
        {"", {}},
        {"\r\n", {""}},
        {"\n\n", {"", ""}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        {"  spaced  \r\n", {"  spaced  "}},
    };
    for (const auto& c : cases) {
        const QString file = write(QStringLiteral("lines.txt"), c.bytes);
        EXPECT_EQ(readLines(file), c.lines) << c.bytes.toPercentEncoding().toStdString();
    }
}

TEST_F(LineFiles, LatinOneBytesSurviveReadAndWrite) {
    const QByteArray bytes("caf\xe9\r\n\xff\xa0x\r\n");
    const QString file = write(QStringLiteral("latin.txt"), bytes);
    const QStringList lines = readLines(file);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], QString(QStringLiteral("caf")) + QChar(0xe9));
    EXPECT_EQ(lines[1], QString(QChar(0xff)) + QChar(0xa0) + QLatin1Char('x'));

    const QString copy = path(QStringLiteral("copy.txt"));
    writeLines(copy, lines);
    EXPECT_EQ(contents(copy), bytes);
}

// Files of names a user may give: UTF-8 both ways, and a file written as Latin-1 before still read.
TEST_F(LineFiles, Utf8FilesRoundTripAndLatinOneOnesAreStillRead) {
    const QString file = path(QStringLiteral("config.obn"));
    writeLines(file, {QStringLiteral("français ő.lag")}, LineEncoding::Utf8);
    EXPECT_EQ(contents(file), QStringLiteral("français ő.lag\r\n").toUtf8());
    EXPECT_EQ(readLines(file, LineEncoding::Utf8), QStringList{QStringLiteral("français ő.lag")});
    const QString old = write(QStringLiteral("old.obn"), QStringLiteral("français.lag").toLatin1());
    EXPECT_EQ(readLines(old, LineEncoding::Utf8), QStringList{QStringLiteral("français.lag")});
}

TEST_F(LineFiles, WritingEndsEveryLineWithCrLf) {
    const QString file = path(QStringLiteral("out.txt"));
    writeLines(file, {QStringLiteral("a"), QStringLiteral("b")});
    EXPECT_EQ(contents(file), QByteArray("a\r\nb\r\n"));

    writeLines(file, {QString(), QStringLiteral("x")});
    EXPECT_EQ(contents(file), QByteArray("\r\nx\r\n")) << "an existing file is replaced whole";

    writeLines(file, {});
    EXPECT_EQ(contents(file), QByteArray());
}

TEST_F(LineFiles, WriteReadWriteGivesIdenticalBytes) {
    const QString source = write(QStringLiteral("mixed.txt"), "[Section]\nkey=1\r\n\rlast");
    const QString first = path(QStringLiteral("first.txt"));
    const QString second = path(QStringLiteral("second.txt"));
    writeLines(first, readLines(source));
    writeLines(second, readLines(first));
    EXPECT_EQ(contents(first), QByteArray("[Section]\r\nkey=1\r\n\r\nlast\r\n"));
    EXPECT_EQ(contents(second), contents(first));
}

TEST_F(LineFiles, SizeLimitIsOneMebibyte) {
    QByteArray bytes(1024 * 1024, 'x');
    bytes[1000] = '\n';
    const QString atLimit = write(QStringLiteral("atlimit.txt"), bytes);
    EXPECT_EQ(readLines(atLimit).size(), 2);

    const QString tooBig = write(QStringLiteral("toobig.txt"), bytes + 'x');
    expectErrorNaming(QStringLiteral("toobig.txt"), [&] { readLines(tooBig); });
}

TEST_F(LineFiles, UnreadableOrUnwritablePlacesThrowNamingTheFile) {
    expectErrorNaming(QStringLiteral("missing.txt"), [&] { readLines(path(QStringLiteral("missing.txt"))); });

    QDir(dir.path()).mkdir(QStringLiteral("folder.txt"));
    expectErrorNaming(QStringLiteral("folder.txt"), [&] { readLines(path(QStringLiteral("folder.txt"))); });

    const QString nowhere = path(QStringLiteral("no-such-folder/out.txt"));
    expectErrorNaming(QStringLiteral("out.txt"), [&] { writeLines(nowhere, {QStringLiteral("a")}); });
    EXPECT_FALSE(QFile::exists(nowhere));
}

} // namespace
