#include "print/labelstockchoice.h"
#include "print/labelstockfile.h"
#include "print/stocklist.h"
#include "print/stockplacement.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

const QString kLibrary = QStringLiteral("/usr/share/libglabels-3.0/templates");

const LabelStock* find(const std::vector<LabelStock>& stocks, const QString& brand, const QString& part) {
    for (const LabelStock& stock : stocks)
        if (stock.brand == brand && stock.part == part)
            return &stock;
    return nullptr;
}

// Standard strings, which a failure message shows as text.
std::vector<std::string> parts(const std::vector<LabelStock>& stocks) {
    std::vector<std::string> names;
    for (const LabelStock& stock : stocks)
        names.push_back(stock.part.toStdString());
    return names;
}

void write(const QDir& dir, const QString& name, const QByteArray& text) {
    QFile file(dir.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

QByteArray templates(const QByteArray& body) {
    return "<?xml version=\"1.0\"?>\n<Glabels-templates>\n" + body + "</Glabels-templates>\n";
}

QByteArray disc(const QByteArray& part, const QByteArray& radius,
                const QByteArray& layout = "nx='1' ny='2'") {
    return "<Template brand='Test' part='" + part + "' size='A4'><Label-cd id='0' radius='" + radius +
           "' hole='20mm'><Layout " + layout + "/></Label-cd></Template>\n";
}

StockLabel discLabel(double radius, double hole, double width = 0) {
    return {LabelShape::Disc, width > 0 ? width : 2 * radius, 2 * radius, radius, hole, {{1, 1, 0, 0, 0, 0}}};
}

StockLabel rectangle(double width, double height) {
    return {LabelShape::Rectangle, width, height, 0, 0, {{1, 1, 0, 0, 0, 0}}};
}

} // namespace

TEST(LabelStock, LengthsInEveryUnitTheLibraryWrites) {
    const std::pair<const char*, double> cases[] = {
        {"25.4mm", 25.4}, {"2.54cm", 25.4},     {"1in", 25.4},  {"72pt", 25.4},   {"6pc", 25.4}, {"72", 25.4},
        {" 0 pt", 0},     {"3.93386e-16pt", 0}, {".5in", 12.7}, {"1000mm", 1000}, {"in", 0},     {"", 0},
    };
    for (const auto& [text, mm] : cases) {
        SCOPED_TRACE(text);
        ASSERT_TRUE(parseLength(QString::fromLatin1(text)));
        EXPECT_NEAR(*parseLength(QString::fromLatin1(text)), mm, 1e-9);
    }
    for (const char* bad :
         {"-1mm", "nan", "inf", "1e999", "1000.1mm", "40in", "1,5mm", "12 furlongs", "0x10"})
        EXPECT_FALSE(parseLength(QString::fromLatin1(bad))) << bad;
}

TEST(LabelStock, InstalledLibraryGivesDiscLabelsWithTheirRealGeometry) {
    if (!QDir(kLibrary).exists())
        GTEST_SKIP() << "the label-template library (glabels-data) is not installed";
    const StockReading reading = readLabelStocks({kLibrary});
    EXPECT_TRUE(reading.problems.isEmpty()) << reading.problems.join(u'\n').toStdString();
    EXPECT_GE(stocksFor(reading.stocks, CoverMode::CdCover).size(), 40u);
    EXPECT_GE(stocksFor(reading.stocks, CoverMode::MiniCd).size(), 3u);
    EXPECT_EQ(parts(stocksFor(reading.stocks, CoverMode::FrontCover)),
              std::vector<std::string>({"Z20-2", "Z21-2", "50430", "50431", "VM-5513-1"}));
    EXPECT_EQ(parts(stocksFor(reading.stocks, CoverMode::BackCover)),
              std::vector<std::string>(
                  {"32250B", "8435B", "J8435B", "50432-1", "50432-2", "VM-5513-2", "32250B", "J8435B"}));
    // Nearly fitting: a 110 mm disc and a back inlay with spines, each saying how the insert sits.
    const LabelStock* small = find(reading.stocks, "Desmat", "A4ST-3CD");
    ASSERT_TRUE(small);
    EXPECT_EQ(insertFitNote(*small, CoverMode::CdCover), "110 mm disc: 5 mm overhang round it");
    const LabelStock* spines = find(reading.stocks, "Avery", "8435B");
    ASSERT_TRUE(spines);
    EXPECT_EQ(insertFitNote(*spines, CoverMode::BackCover),
              "155 × 122 mm: 2 mm margin across, 1.5 mm margin down");

    const LabelStock* l6043 = find(reading.stocks, "Avery", "L6043"); // written in mm
    ASSERT_TRUE(l6043);
    EXPECT_EQ(l6043->paperWidth, 210);
    EXPECT_EQ(l6043->paperHeight, 297);
    ASSERT_EQ(l6043->labels.size(), 1u);
    EXPECT_EQ(l6043->labels[0].shape, LabelShape::Disc);
    EXPECT_DOUBLE_EQ(l6043->labels[0].radius, 58.7);
    EXPECT_DOUBLE_EQ(l6043->labels[0].holeRadius, 20.6);
    EXPECT_EQ(l6043->labels[0].layouts, (std::vector<LabelLayout>{{1, 2, 46, 21.8, 123.75, 137}}));

    const LabelStock* letter = find(reading.stocks, "Avery", "5824"); // written in inches
    ASSERT_TRUE(letter);
    EXPECT_NEAR(letter->paperWidth, 215.9, 1e-9);
    EXPECT_NEAR(letter->labels[0].radius, 58.74, 0.01);

    const LabelStock* same = find(reading.stocks, "Avery", "J8676");
    ASSERT_TRUE(same);
    EXPECT_EQ(same->sameAs, "8676");
    ASSERT_EQ(same->labels.size(), 1u);
    EXPECT_NEAR(same->labels[0].holeRadius, 6.0, 0.01);
    EXPECT_EQ(same->description, "CD/DVD Labels");
}

TEST(LabelStock, DamagedAndHostileFilesAreLeftOutAndNamedOnce) {
    QTemporaryDir folder;
    const QDir dir(folder.path());
    write(dir, "paper-sizes.xml",
          "<Glabels-paper-sizes><Paper-size id='Tiny' width='100mm' height='60mm'/>"
          "<Paper-size id='Huge' width='2000mm' height='1mm'/></Glabels-paper-sizes>");
    write(dir, "good-templates.xml",
          templates(
              disc("Good", "58.5mm") + "<Template brand='Test' part='Alias' equiv='Good'/>\n" +
              "<Template brand='Test' part='Card' size='Tiny'><Label-rectangle id='0' width='3.5in' "
              "height='2in' round='5pt'><Markup-margin size='5'/><Layout nx='1' ny='1'/></Label-rectangle>"
              "</Template>\n"));
    write(dir, "hostile.template",
          templates(disc("Fine", "25mm") + disc("Enormous", "1e9mm") +
                    disc("Many", "25mm", "nx='100000' ny='1'") + disc("Crowded", "25mm", "nx='30' ny='30'") +
                    disc("Negative", "25mm", "nx='1' ny='1' x0='-3mm'") + disc("Wide", "150mm") +
                    disc("NoHole", "25mm").replace(" hole='20mm'", "") +
                    "<Template brand='Test' part='Orphan' equiv='Nowhere'/>\n" +
                    "<Template brand='Test' part='OnHuge' size='Huge'><Label-round id='0' radius='1mm'>"
                    "<Layout nx='1' ny='1'/></Label-round></Template>\n"));
    write(dir, "truncated-templates.xml", templates(disc("Lost", "58.5mm")).left(120));
    write(dir, "empty.template", "");
    write(dir, "binary-templates.xml", QByteArray("\x00\xff\xfe<Glabels", 11));
    write(dir, "vendors-templates.xml", "<Glabels-vendors><Vendor name='X'/></Glabels-vendors>");
    write(dir, "ignored.txt", "not read at all");

    const StockReading reading = readLabelStocks({dir.path(), dir.filePath("missing")});
    EXPECT_EQ(parts(reading.stocks), std::vector<std::string>({"Alias", "Card", "Fine", "Good"}));
    const LabelStock* card = find(reading.stocks, "Test", "Card");
    ASSERT_TRUE(card);
    EXPECT_EQ(card->paperWidth, 100);
    EXPECT_NEAR(card->labels[0].width, 88.9, 1e-9);
    EXPECT_NEAR(card->labels[0].radius, 5 * 25.4 / 72, 1e-9);
    const LabelStock* alias = find(reading.stocks, "Test", "Alias");
    ASSERT_TRUE(alias);
    ASSERT_EQ(alias->labels.size(), 1u);
    EXPECT_EQ(alias->labels[0].radius, 58.5);
    EXPECT_EQ(alias->paperHeight, 297);

    ASSERT_EQ(reading.problems.size(), 5) << reading.problems.join('\n').toStdString();
    for (const char* name : {"hostile.template", "truncated-templates.xml", "empty.template",
                             "binary-templates.xml", "vendors-templates.xml"})
        EXPECT_EQ(reading.problems.filter(QString::fromLatin1(name)).size(), 1) << name;
    EXPECT_TRUE(reading.problems.contains(dir.filePath("hostile.template") +
                                          ": Test Enormous: radius \"1e9mm\" is not a length up to 1000 mm "
                                          "(and 7 more templates left out)"))
        << reading.problems.join('\n').toStdString();
}

TEST(LabelStock, ModeFilterTakesLabelsOfTheInsertsSize) {
    struct Case {
        const char* name;
        StockLabel label;
        std::optional<CoverMode> fits;
    };
    const Case cases[] = {
        {"117 mm disc", discLabel(58.5, 20.5), CoverMode::CdCover},
        {"4.5 in disc", discLabel(57.15, 20.64), CoverMode::CdCover},
        {"120 mm disc", discLabel(60, 7.5), CoverMode::CdCover},
        {"121 mm disc", discLabel(60.5, 20), std::nullopt},
        {"113 mm disc", discLabel(56.5, 18.5), CoverMode::CdCover},
        {"110 mm disc", discLabel(55, 18.5), CoverMode::CdCover},
        {"109 mm disc", discLabel(54.5, 18.5), std::nullopt},
        {"117 mm sticker without a hole", discLabel(58.5, 0), std::nullopt},
        {"3 in disc", discLabel(38.1, 20.46), CoverMode::MiniCd},
        {"82 mm disc", discLabel(41, 10), CoverMode::MiniCd},
        {"75 mm disc", discLabel(37.5, 10), std::nullopt},
        {"mini disc cut to a card", discLabel(38.88, 8.5, 59), std::nullopt},
        {"front insert", rectangle(121, 120), CoverMode::FrontCover},
        {"front insert, small", rectangle(118, 118), CoverMode::FrontCover},
        {"front insert, too small", rectangle(117.5, 120), std::nullopt},
        {"back inlay", rectangle(151, 118), CoverMode::BackCover},
        {"back inlay, large", rectangle(153, 120), CoverMode::BackCover},
        {"back inlay with spines", rectangle(155, 122), CoverMode::BackCover},
        {"CD booklet", rectangle(155, 125), std::nullopt},
        {"back inlay, too wide", rectangle(157, 122), std::nullopt},
        {"back inlay on its side", rectangle(118, 151), std::nullopt},
        {"ellipse", {LabelShape::Ellipse, 120, 120, 0, 0, {{1, 1, 0, 0, 0, 0}}}, std::nullopt},
    };
    for (const Case& c : cases) {
        const LabelStock stock{"Brand", "Part", "", "", 210, 297, {c.label}, false};
        for (CoverMode mode :
             {CoverMode::CdCover, CoverMode::FrontCover, CoverMode::BackCover, CoverMode::MiniCd})
            EXPECT_EQ(stockFits(stock, mode), c.fits == mode) << c.name << " in mode " << modeNumber(mode);
    }
}

TEST(LabelStock, GenericSheetsFitTheirInsertsAndTheirPaper) {
    const std::vector<LabelStock> generic = genericStocks();
    EXPECT_EQ(parts(stocksFor(generic, CoverMode::CdCover)),
              std::vector<std::string>({"2 discs on A4", "2 discs on Letter"}));
    EXPECT_EQ(parts(stocksFor(generic, CoverMode::FrontCover)),
              std::vector<std::string>({"Front and back insert on A4"}));
    EXPECT_EQ(parts(stocksFor(generic, CoverMode::BackCover)),
              std::vector<std::string>({"Front and back insert on A4"}));
    for (const LabelStock& stock : generic)
        for (const StockLabel& label : stock.labels)
            for (const LabelLayout& layout : label.layouts) {
                EXPECT_GE(std::min(layout.x0, layout.y0), 5) << stock.part.toStdString();
                EXPECT_LE(layout.x0 + (layout.nx - 1) * layout.dx + label.width, stock.paperWidth - 5);
                EXPECT_LE(layout.y0 + (layout.ny - 1) * layout.dy + label.height, stock.paperHeight - 5);
            }
    EXPECT_EQ(parts(searchStocks(generic, " LETTER  discs")),
              std::vector<std::string>({"2 discs on Letter"}));
    EXPECT_EQ(parts(searchStocks(generic, "generic jewel")),
              std::vector<std::string>({"Front and back insert on A4"}));
    EXPECT_EQ(searchStocks(generic, "").size(), 3u);
    EXPECT_TRUE(searchStocks(generic, "avery").empty());
}

// The user's own copy replacing the library's is tested through the window (test_labelstockwindow).
TEST(LabelStock, TheUsersPaperSizesAddToTheLibrarys) {
    QTemporaryDir library, own;
    const auto papers = [](const QByteArray& id) {
        return "<Glabels-paper-sizes><Paper-size id='" + id +
               "' width='99mm' height='99mm'/></Glabels-paper-sizes>";
    };
    write(QDir(library.path()), "paper-sizes.xml", papers("Square"));
    write(QDir(own.path()), "paper-sizes.xml", papers("Mine"));
    write(QDir(library.path()), "test-templates.xml",
          templates(disc("Small", "40mm", "nx='1' ny='1'").replace("'A4'", "'Square'")));
    const StockReading reading = readLabelStocks({library.path()}, {own.path()});
    EXPECT_TRUE(reading.problems.isEmpty()) << reading.problems.join('\n').toStdString();
    EXPECT_EQ(parts(reading.stocks), std::vector<std::string>({"Small"}));
}

TEST(LabelStock, NamesWithLineBreaksAndFilesThatCannotBeReadAreHandled) {
    QTemporaryDir folder;
    const QDir dir(folder.path());
    write(dir, "broken-templates.xml", templates(disc("CD&#10;2&#13;x", "58.5mm")));
    const StockReading reading = readLabelStocks({dir.path()});
    ASSERT_EQ(parts(reading.stocks), std::vector<std::string>({"CD 2 x"}));
    EXPECT_TRUE(stockNamed(reading.stocks, stockChoiceLines(reading.stocks[0]).join('\n').split('\n')));

    write(dir, "locked-templates.xml", templates(disc("Locked", "58.5mm")));
    const QByteArray latin1Name = QFile::encodeName(dir.path()) + "/caf\xe9-templates.xml";
    ::close(::open(latin1Name.constData(), O_CREAT | O_WRONLY, 0644));
    ASSERT_TRUE(QFile::setPermissions(dir.filePath("locked-templates.xml"), {}));
    const QStringList problems = readLabelStocks({dir.path()}).problems;
    ::unlink(latin1Name.constData()); // which QTemporaryDir cannot remove
    EXPECT_EQ(problems.filter("not UTF-8").size(), 1) << problems.join('\n').toStdString();
    if (::geteuid() != 0) { // root reads any file
        EXPECT_EQ(problems.filter("locked-templates.xml: cannot be read").size(), 1);
    }
}

// Timed against itself: ten times the digits take about ten times as long, not a hundred.
TEST(LabelStock, ALengthTakesTimeInProportionToItsDigits) {
    const auto fastest = [](const QString& text) {
        qint64 best = std::numeric_limits<qint64>::max();
        for (int round = 0; round < 5; ++round) {
            QElapsedTimer timer;
            timer.start();
            EXPECT_FALSE(parseLength(text));
            best = std::min(best, timer.nsecsElapsed());
        }
        return double(std::max<qint64>(best, 1));
    };
    for (const char* tail : {"mm", "x"})
        EXPECT_LT(fastest(QString(50'000, u'1') + tail) / fastest(QString(5'000, u'1') + tail), 30) << tail;
}
