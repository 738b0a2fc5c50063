// Language files on their own: how their bytes become captions, and which names may be loaded.
#include "lang/captiontable.h"
#include "lang/codepages.h"
#include "lang/languagefile.h"
#include "lang/languagetext.h"
#include "platform/orbalinerror.h"

#include "support/tempfiles.h"

#include <QDir>
#include <QStringDecoder>
#include <algorithm>
#include <random>

namespace {

QByteArray linesOf(int count, const QByteArray& ending = "\r\n") {
    QByteArray bytes;
    for (int line = 1; line <= count; ++line)
        bytes += "line " + QByteArray::number(line) + ending;
    return bytes;
}

QStringList linesIn(const QByteArray& bytes) {
    const auto result = decodeLanguageText(bytes);
    return std::holds_alternative<LanguageText>(result) ? std::get<LanguageText>(result).lines
                                                        : QStringList{"refused"};
}
QString refusal(const QByteArray& bytes) {
    const auto result = decodeLanguageText(bytes);
    return std::holds_alternative<NotLanguageText>(result) ? std::get<NotLanguageText>(result).reason
                                                           : "taken";
}

TEST(LanguageText, Utf8WithAFewBadBytesStaysUtf8AndNamesTheirLines) {
    const LanguageText text =
        std::get<LanguageText>(decodeLanguageText("R\xC3\xA9glages\r\nOk\xFF\r\nAper\xC3\xA7u\n\xFE"));
    EXPECT_EQ(text.lines,
              QStringList({"Réglages", QStringLiteral("Ok\uFFFD"), "Aperçu", QStringLiteral("\uFFFD")}));
    EXPECT_EQ(text.damagedLines, QList<int>({2, 4}));
    // More bad bytes than valid sequences is a legacy file holding one valid-looking pair by chance.
    EXPECT_EQ(linesIn("Caf\xE9 \xC3\xA9t\xE9"), QStringList{QStringLiteral("Café Ã©té")});
    EXPECT_EQ(linesIn("\xEF\xBB\xBF\xE9t\xE9"),
              QStringList{QStringLiteral("\uFFFDt\uFFFD")}); // the mark decides
    // Overlong forms, surrogates and code points past U+10FFFF are bad bytes, not characters.
    for (const QByteArray bad :
         {"\xC0\xAF", "\xE0\x80\xAF", "\xF0\x80\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80"})
        EXPECT_EQ(linesIn(bad + QByteArray("\xC3\xA9").repeated(4)).front().front(),
                  QChar::ReplacementCharacter);
}

TEST(LanguageText, LegacyFilesAreReadInTheCodePageOfTheirLanguage) {
    EXPECT_EQ(linesIn("Els\xF5\r\nF\xFCgg\xF5leges \xFB"),
              QStringList({"Első", "Függőleges ű"})); // Hungarian
    EXPECT_EQ(linesIn("O\xE8isti\r\nPomo\xE6 Stra\x9Enji"),
              QStringList({"Očisti", "Pomoć Stražnji"})); // Croatian
    EXPECT_EQ(linesIn("R\xE9glages\r\n\xC0 propos, arri\xE8re"),
              QStringList({"Réglages", "À propos, arrière"}));
    EXPECT_EQ(linesIn("Llic\xE8ncia \xC0rea\r\nSpr\xE5k Schlie\xDF\x65n \x80"),
              QStringList({"Llicència Àrea", "Språk Schließen €"}));
}

// Checked against Qt's own decoders where Qt has them (built with ICU).
TEST(LanguageText, CodePagesAgreeWithQtsDecoders) {
    for (const auto& [codePage, name] : {std::pair{LegacyCodePage::Windows1250, "windows-1250"},
                                         std::pair{LegacyCodePage::Windows1252, "windows-1252"}}) {
        QStringDecoder reference(name);
        if (!reference.isValid())
            GTEST_SKIP() << "this Qt cannot decode " << name;
        for (int value = 0x20; value <= 0xFF; ++value) {
            const QByteArray byte(1, static_cast<char>(value));
            const QString expected = reference(byte);
            if (expected != QChar(QChar::ReplacementCharacter)) { // a byte the code page leaves unused
                EXPECT_EQ(fromCodePage(byte, codePage), expected) << name << " " << value;
            }
        }
    }
}

TEST(LanguageText, WhatIsNoCaptionTextIsRefusedNamingWhy) {
    const QString utf16 = QStringLiteral("Ouvrir\r\nRéglages\r\n");
    const QByteArray little(reinterpret_cast<const char*>(utf16.utf16()), utf16.size() * 2);
    QByteArray random(20000, '\0');
    std::mt19937 generator(7);
    std::generate(random.begin(), random.end(), [&] { return static_cast<char>(1 + generator() % 255); });
    for (const auto& [bytes, reason] :
         {std::pair{"\xFF\xFE" + little, QStringLiteral("UTF-16")},
          {little, "UTF-16"},
          {"\xFE\xFF\x4E\x2D", "UTF-16"},
          {QByteArray("Open\r\nSa\0ve", 11), "NUL"},
          {"Open\r\nSave\r\nPr\x07int", "line 3 holds control characters"},
          {"Open\r\n\xE0 \x81", "line 2 holds control"}, // a byte Windows-1252 leaves unused
          {"Open\r\n" + QByteArray(kLongestLanguageLine + 1, 'a'), "line 2 is 1001 characters"},
          {random, "line 1 holds control"}})
        EXPECT_TRUE(refusal(bytes).contains(reason)) << refusal(bytes).toStdString();
    EXPECT_EQ(linesIn("Open\tx\r\n" + QByteArray(kLongestLanguageLine, 'a')).size(), 2);
}

class LanguageFiles : public TempFiles {};

TEST_F(LanguageFiles, TakenWholeOrRefusedNamingFileAndLineCount) {
    const LanguageFileLines file = readLanguageFile(write("mixed.lag", linesOf(70, "\n") + linesOf(71, "\r")),
                                                    LanguageSource::UserChoice);
    ASSERT_EQ(file.lines.size(), kCaptionLineCount);
    EXPECT_EQ(file.lines[70], "line 1");
    EXPECT_EQ(file.lines[140], "line 71");
    // A file made before the later captions shows them in English.
    EXPECT_EQ(file.lines[findCaption("PrintPreview", kWindowCaption)->line - 1], "Print preview");
    EXPECT_FALSE(file.warning);

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
        QFile file(data.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        const QByteArray bytes = file.readAll();
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString text = utf8(bytes);
        EXPECT_FALSE(utf8.hasError()) << name << " is not wholly UTF-8";
        const QStringList lines = linesIn(bytes);
        EXPECT_EQ(lines.size(), kCaptionLineCount) << name;
        for (const CaptionRow& row : captionTable())
            EXPECT_FALSE(lines.value(row.line - 1).trimmed().isEmpty()) << name << " line " << row.line;
    }
}

} // namespace
