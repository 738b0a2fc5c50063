// Language files on their own: how their bytes become captions, and which names may be loaded.
#include "lang/captiontable.h"
#include "lang/languagefile.h"
#include "platform/orbalinerror.h"

#include "support/tempfiles.h"

#include <QDir>

namespace {

QByteArray linesOf(int count, const QByteArray& ending = "\r\n") {
    QByteArray bytes;
    for (int line = 1; line <= count; ++line)
        bytes += "line " + QByteArray::number(line) + ending;
    return bytes;
}

TEST(LanguageText, Utf8WhenValidWindows1252Otherwise) {
    const struct {
        QByteArray bytes;
        std::optional<QString> text;
    } cases[] = {
        {"Caf\xE9", QStringLiteral("Café")},                        // Windows-1252 é
        {"\x80 \x9F \x81", QString::fromUtf16(u"€ Ÿ \u0081")},       // its own high range
        {"\xC5\x91 \xC4\x8D", QStringLiteral("ő č")},               // UTF-8 holds what 1252 cannot
        {"\xEF\xBB\xBFOpen", QStringLiteral("Open")},               // byte-order mark dropped
        {"\xC5\x91 \xE9", QString::fromUtf16(u"\u00C5\u2018 \u00E9")}, // one bad sequence: all 1252
        {QByteArray("Op\0en", 5), std::nullopt},
    };
    for (const auto& each : cases)
        EXPECT_EQ(decodeLanguageText(each.bytes), each.text) << each.bytes.toHex().toStdString();
}

class LanguageFiles : public TempFiles {};

TEST_F(LanguageFiles, TakenWholeOrRefusedNamingFileAndLineCount) {
    const QStringList lines = readLanguageFile(write("mixed.lag", linesOf(70, "\n") + linesOf(71, "\r")),
                                               LanguageSource::UserChoice);
    ASSERT_EQ(lines.size(), 141);
    EXPECT_EQ(lines[70], "line 1");

    for (const auto& [name, bytes, reason] :
         {std::tuple{"short.lag", linesOf(140), "140 lines"}, {"nul.lag", linesOf(141) + '\0', "NUL"}}) {
        try {
            readLanguageFile(write(name, bytes), LanguageSource::UserChoice);
            ADD_FAILURE() << name << " was taken";
        } catch (const OrbalinError& error) {
            EXPECT_TRUE(error.message().contains(name) && error.message().contains(reason)) << error.what();
        }
    }
    EXPECT_THROW(readLanguageFile(path("missing.lag"), LanguageSource::UserChoice), OrbalinError);
}

TEST_F(LanguageFiles, ProgramFilesAreMatchedWithoutRegardToCase) {
    write("english.lag", "x");
    EXPECT_EQ(programFileNamed(dir.path(), "English.lag"), path("english.lag"));
    write("English.lag", "y");
    EXPECT_EQ(programFileNamed(dir.path(), "English.lag"), path("English.lag"));
    EXPECT_EQ(programFileNamed(dir.path(), "german.lag"), path("german.lag"));
}

TEST(LanguageChoice, OnlyBareNamesOfTheProgramFolder) {
    for (const char* good : {"french.lag", "My file.lag", "Catala.lag", ".hidden.lag"})
        EXPECT_TRUE(isBareFileName(QString::fromUtf8(good))) << good;
    for (const char* bad : {"", ".", "..", "../../etc/passwd", "/etc/passwd", "sub/x.lag", "..\\x.lag",
                            "C:x.lag", "a\tb.lag", "a\x1b.lag"})
        EXPECT_FALSE(isBareFileName(QString::fromUtf8(bad))) << bad;
}

// The shipped files: English as the table gives it, the others complete and in UTF-8.
TEST(ShippedLanguages, EnglishIsTheTableAndEveryFileHasEachCaption) {
    const QDir data(QStringLiteral(ORBALIN_DATA_DIR));
    QFile english(data.filePath("english.lag"));
    ASSERT_TRUE(english.open(QIODevice::ReadOnly));
    EXPECT_EQ(english.readAll(), englishLanguageFile()) << "run make_english_lag after changing a caption";

    for (const char* name : {"english.lag", "french.lag", "german.lag", "hungarian.lag", "swedish.lag",
                             "Catala.lag", "croatian.lag"}) {
        const QStringList lines = readLanguageFile(data.filePath(name), LanguageSource::ProgramFolder);
        EXPECT_EQ(lines.size(), kLanguageFileLineCount) << name;
        for (const CaptionRow& row : captionTable())
            EXPECT_FALSE(lines[row.line - 1].trimmed().isEmpty()) << name << " line " << row.line;
    }
}

} // namespace
