#include "text/layouttables.h"

#include "platform/filemessages.h"
#include "platform/linelist.h"
#include "platform/orbalinerror.h"

#include <cstdlib>

namespace {

const std::array<LayoutFile, 3> kLayoutFiles{{
    {"cd1.txt", false, 1, kFirstHubRow - 1},
    {"cd2.txt", true, kFirstHubRow, kLastHubRow - kFirstHubRow + 1},
    {"cd3.txt", false, kLastHubRow + 1, kTextEndRow - 1 - kLastHubRow},
}};

// No cover picture is more than a few hundred pixels across: a value this far out is a wrong file.
constexpr long long kMaxMagnitude = 10000;

QString faultAt(const QString& path, int line, const QString& what) {
    return QStringLiteral("The layout file \"%1\" cannot be used from line %2 on: %3")
        .arg(shownPath(path))
        .arg(line)
        .arg(what);
}

std::array<int*, 8> fieldsOf(SplitSpanRow& row) {
    return {&row.left.x,  &row.left.rowLabel,  &row.left.width,  &row.left.unused,
            &row.right.x, &row.right.rowLabel, &row.right.width, &row.right.unused};
}

std::array<int, 8> valuesOf(const SplitSpanRow& row) {
    return {row.left.x,  row.left.rowLabel,  row.left.width,  row.left.unused,
            row.right.x, row.right.rowLabel, row.right.width, row.right.unused};
}

} // namespace

std::span<const LayoutFile> layoutFiles() {
    return kLayoutFiles;
}

std::optional<QString> readLayoutRecords(const LayoutFile& file, const QStringList& lines,
                                         const QString& path, LayoutTables& tables) {
    const int perRecord = file.linesPerRecord();
    if (lines.isEmpty())
        return faultAt(path, 1, QStringLiteral("the file is empty."));
    for (qsizetype start = 0, record = 0; start < lines.size(); start += perRecord, ++record) {
        const int firstLine = static_cast<int>(start) + 1;
        if (record == file.maxRecords())
            return faultAt(path, firstLine,
                           QStringLiteral("it holds more than %1 records, more than the rows from row %2 on.")
                               .arg(file.maxRecords())
                               .arg(file.firstRow));
        std::array<int, 8> values{};
        for (int i = 0; i < perRecord; ++i) {
            if (start + i == lines.size())
                return faultAt(path, firstLine,
                               QStringLiteral("the file ends inside the record of %1 lines starting there.")
                                   .arg(perRecord));
            const QString text = lines[start + i].trimmed();
            bool isNumber = false;
            const long long value = text.toLongLong(&isNumber);
            if (!isNumber)
                return faultAt(
                    path, firstLine + i,
                    QStringLiteral("\"%1\" is not a whole number.").arg(lines[start + i].left(40)));
            if (std::llabs(value) > kMaxMagnitude)
                return faultAt(path, firstLine + i,
                               QStringLiteral("%1 is far outside any cover picture.").arg(value));
            values[i] = static_cast<int>(value);
        }

        const int row = file.firstRow + static_cast<int>(record);
        if (file.split) {
            const std::array<int*, 8> fields = fieldsOf(tables.splitSpanTable[row]);
            for (int i = 0; i < 8; ++i)
                *fields[i] = values[i];
        } else {
            tables.spanTable[row] = {values[0], values[1], values[2], values[3]};
        }
    }
    return std::nullopt;
}

LoadedLayoutTables loadLayoutTables(const QString& programFolder) {
    LoadedLayoutTables loaded;
    for (const LayoutFile& file : kLayoutFiles) {
        const QString path = programFolder + QLatin1String(file.name);
        try {
            if (std::optional<QString> problem =
                    readLayoutRecords(file, readLines(path), path, loaded.tables))
                loaded.problems.append(*problem);
        } catch (const OrbalinError& error) {
            loaded.problems.append(error.message());
        }
    }
    return loaded;
}

QStringList layoutFileLines(const LayoutFile& file, const LayoutTables& tables, int records) {
    QStringList lines;
    for (int row = file.firstRow; row < file.firstRow + records; ++row) {
        if (file.split) {
            for (int value : valuesOf(tables.splitSpanTable.at(row)))
                lines.append(QString::number(value));
        } else {
            const SpanRow& span = tables.spanTable.at(row);
            for (int value : {span.x, span.rowLabel, span.width, span.unused})
                lines.append(QString::number(value));
        }
    }
    return lines;
}
