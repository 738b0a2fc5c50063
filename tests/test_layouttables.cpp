#include "platform/linelist.h"
#include "text/layouttables.h"

#include "support/tempfiles.h"

#include <QDir>
#include <QImage>
#include <gtest/gtest.h>
#include <optional>

namespace {

const QString kShipped = QStringLiteral(ORBALIN_DATA_DIR "/");

// A span is on the ring when every pixel under a line set on its row is black in the shipped mask,
// and hugs it when the column just past its inset, on either side, is not.
void expectSpanHugsTheRing(const QImage& mask, int row, int x, int width, const char* what) {
    SCOPED_TRACE(testing::Message() << what << " span of row " << row);
    const auto columnOnRing = [&](int column) {
        for (int y = row; y <= row + disc::kTextLineReach; ++y)
            if (column < 0 || column >= mask.width() || mask.pixel(column, y) != qRgb(0, 0, 0))
                return false;
        return true;
    };
    ASSERT_GT(width, 20);
    for (int column = x; column < x + width; ++column)
        ASSERT_TRUE(columnOnRing(column)) << "column " << column;
    EXPECT_FALSE(columnOnRing(x - disc::kTextInset - 1));
    EXPECT_FALSE(columnOnRing(x + width + disc::kTextInset));
}

TEST(LayoutTablesShipped, EverySpanLiesOnTheRingOfRoundBmpWithItsRowNumberAsLabel) {
    const QImage mask = QImage(kShipped + "round.bmp").convertToFormat(QImage::Format_RGB32);
    const LoadedLayoutTables loaded = loadLayoutTables(kShipped);
    ASSERT_TRUE(loaded.problems.isEmpty()) << loaded.problems.join("\n").toStdString();
    const LayoutTables& tables = loaded.tables;
    const int records[] = {163, 123, 143};
    for (int i = 0; i < 3; ++i) {
        const LayoutFile& file = layoutFiles()[i];
        EXPECT_EQ(file.shippedRecords, records[i]);
        // Written back, the tables give the shipped file line for line.
        EXPECT_EQ(layoutFileLines(file, tables, records[i]), readLines(kShipped + file.name)) << file.name;
    }
    for (int row = 1; row < kTextEndRow; ++row) {
        if (isHubRow(row)) {
            const SplitSpanRow& split = tables.splitSpanTable[row];
            EXPECT_EQ(split.left.rowLabel, row);
            expectSpanHugsTheRing(mask, row, split.left.x, split.left.width, "left");
            expectSpanHugsTheRing(mask, row, split.right.x, split.right.width, "right");
            EXPECT_LT(split.left.x + split.left.width, 225);
            EXPECT_GT(split.right.x, 225);
            EXPECT_EQ(tables.spanTable[row], SpanRow{});
        } else {
            EXPECT_EQ(tables.spanTable[row].rowLabel, row);
            expectSpanHugsTheRing(mask, row, tables.spanTable[row].x, tables.spanTable[row].width, "one");
        }
    }
}

class LayoutTablesFaults : public TempFiles {
protected:
    // `records` records for rows from the file's first one on, each value telling its row.
    static QByteArray recordsFor(const LayoutFile& file, int records) {
        QByteArray bytes;
        for (int row = file.firstRow; row < file.firstRow + records; ++row)
            for (int field = 0; field < file.linesPerRecord(); ++field)
                bytes += QByteArray::number(row + field) + "\r\n";
        return bytes;
    }
    void writeAllFiles() {
        for (const LayoutFile& file : layoutFiles())
            write(file.name, recordsFor(file, file.shippedRecords));
    }
    LoadedLayoutTables load() const { return loadLayoutTables(dir.path() + "/"); }
};

TEST_F(LayoutTablesFaults, AFaultyFileIsNamedWithItsLineKeepsTheRecordsBeforeItAndNoOtherFileSuffers) {
    const LayoutFile& cd2 = layoutFiles()[1];
    const struct {
        const char* what;
        std::optional<QByteArray> bytes; // nullopt: a folder stands in its place
        const char* said;                // in the message: the line, or the reason
        int rowsLoaded;
    } cases[] = {
        {"word", recordsFor(cd2, 2) + "12\r\nabc\r\n", "line 18 ", 2},
        {"blank line", recordsFor(cd2, 1) + "\r\n", "line 9 ", 1},
        {"absurd", recordsFor(cd2, 3) + "1\r\n2\r\n-70000\r\n", "line 27 ", 3},
        {"short record", recordsFor(cd2, 4) + "1\r\n2\r\n3\r\n", "line 33 ", 4},
        {"past the table's end", recordsFor(cd2, 587), "line 4689 ", 586},
        {"garbage", QByteArray("\x00\xff\x7f BM", 6), "line 1 ", 0},
        {"empty", "", "line 1 ", 0},
        {"folder", std::nullopt, "folder", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        writeAllFiles();
        if (c.bytes)
            write(cd2.name, *c.bytes);
        else
            ASSERT_TRUE(QFile::remove(path(cd2.name)) && QDir(dir.path()).mkdir(cd2.name));
        const LoadedLayoutTables loaded = load();
        ASSERT_EQ(loaded.problems.size(), 1);
        EXPECT_TRUE(loaded.problems[0].contains("cd2.txt") && loaded.problems[0].contains(c.said))
            << loaded.problems[0].toStdString();
        for (int row = 0; row < LayoutTables::kSplitSpanRows; ++row) {
            const bool loadedRow = row >= cd2.firstRow && row < cd2.firstRow + c.rowsLoaded;
            ASSERT_EQ(loaded.tables.splitSpanTable[row].right.unused, loadedRow ? row + 7 : 0) << row;
        }
        EXPECT_EQ(loaded.tables.spanTable[163].width, 165) << "cd1.txt read";
        EXPECT_EQ(loaded.tables.spanTable[429].width, 431) << "cd3.txt read";
        QDir(path(cd2.name)).removeRecursively();
    }
    QFile::remove(path("cd1.txt"));
    EXPECT_TRUE(load().problems.join("").contains("cd1.txt\" cannot be read. It does not exist."));
}

} // namespace
