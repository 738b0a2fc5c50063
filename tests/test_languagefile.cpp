// Language files on their own: how their bytes become captions, and which names may be loaded.
#include "lang/captiontable.h"
#include "lang/codepages.h"
#include "lang/languagefile.h"
#include "lang/languagetext.h"
#include "platform/orbalinerror.h"

#include "support/tempfiles.h"

#include <QDir>
#include <QStringDecoder>
#include <iconv.h>
#include <random>

namespace {

QByteArray linesOf(int count, const QByteArray& ending = "\r\n") {
    QByteArray bytes;
    for (int line = 1; line <= count; ++line)
        bytes += "line " + QByteArray::number(line) + ending;
    return bytes;
}

LanguageText decoded(const QByteArray& bytes) {
    std::variant<LanguageText, NotLanguageText> result = decodeLanguageText(bytes);
    if (const auto* fault = std::get_if<NotLanguageText>(&result)) {
        ADD_FAILURE() << bytes.left(40).toHex().toStdString() << " refused: " << fault->reason.toStdString();
        return {};
    }
    return std::get<LanguageText>(result);
}

QString refusal(const QByteArray& bytes) {
    std::variant<LanguageText, NotLanguageText> result = decodeLanguageText(bytes);
    const auto* fault = std::get_if<NotLanguageText>(&result);
    return fault ? fault->reason : QStringLiteral("taken");
}

TEST(LanguageText, Utf8WithAFewBadBytesStaysUtf8AndNamesTheirLines) {
    const LanguageText text = decoded("R\xC3\xA9glages\r\nOk\xFF\r\nAper\xC3\xA7u\n\xFE Fin");
    EXPECT_EQ(text.lines,
              QStringList({"Réglages", QStringLiteral("Ok\uFFFD"), "Aperçu", QStringLiteral("\uFFFD Fin")}));
    EXPECT_EQ(text.damagedLines, QList<int>({2, 4}));

    // As many bad bytes as valid sequences is still UTF-8; one more is a legacy file that happens to
    // hold one valid-looking pair.
    EXPECT_EQ(decoded("Aper\xC3\xA7u \xFF").lines, QStringList{QStringLiteral("Aperçu \uFFFD")});
    EXPECT_EQ(decoded("Caf\xE9 \xC3\xA9t\xE9").lines, QStringList{QStringLiteral("Café Ã©té")});
    EXPECT_TRUE(decoded("Caf\xE9 \xC3\xA9t\xE9").damagedLines.isEmpty());
    // A byte-order mark makes it UTF-8 whatever else is there.
    EXPECT_EQ(decoded("\xEF\xBB\xBF\xE9t\xE9").lines, QStringList{QStringLiteral("\uFFFDt\uFFFD")});
    // Overlong forms, surrogates and code points past U+10FFFF are bad bytes, not characters.
    for (const QByteArray bad :
         {"\xC0\xAF", "\xE0\x80\xAF", "\xF0\x80\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80"})
        EXPECT_EQ(decoded("ok\n" + bad + QByteArray("\xC3\xA9").repeated(4)).damagedLines, QList<int>{2})
            << bad.toHex().toStdString();
}

TEST(LanguageText, LegacyFilesAreReadInTheCodePageOfTheirLanguage) {
    const struct {
        const char* language;
        QByteArray bytes;
        QStringList lines;
    } cases[] = {
        {"Hungarian", "Els\xF5\r\nF\xFCgg\xF5leges\r\nBet\xFB", {"Első", "Függőleges", "Betű"}},
        {"Croatian", "O\xE8isti\r\nPomo\xE6\r\nStra\x9Enji", {"Očisti", "Pomoć", "Stražnji"}},
        {"French",
         "R\xE9glages\r\n\xC0 propos\r\nArri\xE8re\r\nFen\xEAtre",
         {"Réglages", "À propos", "Arrière", "Fenêtre"}},
        {"Catalan", "Llic\xE8ncia\r\n\xC0rea de text", {"Llicència", "Àrea de text"}},
        {"Swedish", "St\xE4ng\r\nSpr\xE5k", {"Stäng", "Språk"}},
        {"German", "\xD6\x66\x66nen\r\nSchlie\xDF\x65n \x80", {"Öffnen", "Schließen €"}},
    };
    for (const auto& each : cases)
        EXPECT_EQ(decoded(each.bytes).lines, each.lines) << each.language;
}

// Checked against the system's own converter, which knows both code pages.
TEST(LanguageText, CodePagesAgreeWithTheSystemConverter) {
    for (const auto& [codePage, name] : {std::pair{LegacyCodePage::Windows1250, "CP1250"},
                                         std::pair{LegacyCodePage::Windows1252, "CP1252"}}) {
        iconv_t converter = iconv_open("UTF-8", name);
        ASSERT_NE(converter, reinterpret_cast<iconv_t>(-1)) << name;
        int compared = 0;
        for (int value = 0x20; value <= 0xFF; ++value) {
            char byte = static_cast<char>(value);
            char out[8] = {};
            char* in = &byte;
            char* to = out;
            size_t inLeft = 1;
            size_t outLeft = sizeof out;
            iconv(converter, nullptr, nullptr, nullptr, nullptr);
            if (iconv(converter, &in, &inLeft, &to, &outLeft) == static_cast<size_t>(-1))
                continue; // a byte the code page leaves unused
            EXPECT_EQ(fromCodePage(QByteArray(1, byte), codePage), QString::fromUtf8(out))
                << name << " " << value;
            ++compared;
        }
        iconv_close(converter);
        EXPECT_GE(compared, 0xE0 - 5) << name;
    }
}

TEST(LanguageText, WhatIsNoCaptionTextIsRefusedNamingWhy) {
    const QString utf16 = QStringLiteral("Ouvrir\r\nR\u00E9glages\r\n");
    const QByteArray little(reinterpret_cast<const char*>(utf16.utf16()), utf16.size() * 2);
    QByteArray random(20000, '\0');
    std::mt19937 generator(7);
    for (char& byte : random)
        byte = static_cast<char>(1 + generator() % 255); // no NUL, nothing else spared

    const struct {
        const char* what;
        QByteArray bytes;
        QString reason;
    } cases[] = {
        {"UTF-16 with its mark", "\xFF\xFE" + little, "UTF-16"},
        {"UTF-16 big-endian mark, no NUL", "\xFE\xFF\x4E\x2D", "UTF-16"},
        {"UTF-16 without a mark", little, "UTF-16"},
        {"a stray NUL", QByteArray("Open\r\nSa\0ve", 11), "NUL"},
        {"a control character", "Open\r\nSave\r\nPr\x07int", "line 3 holds control characters"},
        {"a byte 1252 leaves unused", "Open\r\n\xE0 \x81", "line 2 holds control characters"},
        {"a line longer than any caption", "Open\r\n" + QByteArray(kLongestLanguageLine + 1, 'a'),
         QStringLiteral("line 2 is %1 characters").arg(kLongestLanguageLine + 1)},
        {"random bytes", random, "line 1 "},
    };
    for (const auto& each : cases)
        EXPECT_TRUE(refusal(each.bytes).contains(each.reason))
            << each.what << ": " << refusal(each.bytes).toStdString();
    EXPECT_EQ(decoded("Open\tx\r\n" + QByteArray(kLongestLanguageLine, 'a')).lines.size(), 2);
    EXPECT_TRUE(decoded({}).lines.isEmpty());
}

class LanguageFiles : public TempFiles {};

TEST_F(LanguageFiles, TakenWholeOrRefusedNamingFileAndLineCount) {
    const LanguageFileLines file = readLanguageFile(write("mixed.lag", linesOf(70, "\n") + linesOf(71, "\r")),
                                                    LanguageSource::UserChoice);
    ASSERT_EQ(file.lines.size(), kCaptionLineCount);
    EXPECT_EQ(file.lines[70], "line 1");
    EXPECT_EQ(file.lines[140], "line 71");
    // The captions added after the first table are in English in a file made before them.
    for (const CaptionRow& row : captionTable())
        EXPECT_EQ(file.lines[row.line - 1],
                  row.line <= 141 ? QStringLiteral("line %1").arg(row.line <= 70 ? row.line : row.line - 70)
                                  : englishText(row))
            << row.line;
    EXPECT_FALSE(file.warning);

    for (const auto& [name, bytes, reason] : {std::tuple{"short.lag", linesOf(140), "140 lines"},
                                              {"nul.lag", linesOf(141) + '\0', "NUL"},
                                              {"utf16.lag", "\xFF\xFE" + linesOf(141), "UTF-16"}}) {
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
        const QStringList lines = decoded(bytes).lines;
        EXPECT_EQ(lines.size(), kCaptionLineCount) << name;
        for (const CaptionRow& row : captionTable())
            EXPECT_FALSE(lines.value(row.line - 1).trimmed().isEmpty()) << name << " line " << row.line;
    }
}

} // namespace
