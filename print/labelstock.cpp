#include "print/labelstockfile.h"

#include <QDir>
#include <QHash>
#include <QStandardPaths>
#include <algorithm>

namespace {

QString stockKey(const QString& brand, const QString& part) {
    return brand + u'\n' + part;
}

QStringList filesIn(const QStringList& folders, const QStringList& patterns) {
    QStringList files;
    for (const QString& folder : folders) {
        const QDir dir(folder);
        for (const QString& name : dir.entryList(patterns, QDir::Files | QDir::Readable, QDir::Name))
            files << dir.filePath(name);
    }
    return files;
}

// The stock an entry declared the same as another stands for: the other's paper and labels under
// its own part, and its own description when it has one.
std::optional<LabelStock> sameStock(const TemplateEntry& entry, const QHash<QString, LabelStock>& known) {
    const auto other = known.constFind(stockKey(entry.stock.brand, entry.equiv));
    if (other == known.constEnd())
        return std::nullopt;
    LabelStock same = *other;
    same.part = entry.stock.part;
    same.sameAs = entry.equiv;
    if (!entry.stock.description.isEmpty())
        same.description = entry.stock.description;
    return same;
}

} // namespace

long long StockLabel::count() const {
    long long total = 0;
    for (const LabelLayout& layout : layouts)
        total += static_cast<long long>(layout.nx) * layout.ny;
    return total;
}

long long LabelStock::count() const {
    long long total = 0;
    for (const StockLabel& label : labels)
        total += label.count();
    return total;
}

StockReading readLabelStocks(const QStringList& folders) {
    StockReading reading;
    std::vector<PaperSize> papers = builtInPaperSizes();
    for (const QString& path : filesIn(folders, {QStringLiteral("paper-sizes.xml")}))
        papers = readPaperSizes(path, reading.problems);

    // A part may be declared the same as any part read before it, in any file.
    QHash<QString, LabelStock> known;
    for (const QString& path :
         filesIn(folders, {QStringLiteral("*-templates.xml"), QStringLiteral("*.template")})) {
        auto read = readTemplateFile(path, papers, reading.problems);
        if (!read)
            continue;
        for (TemplateEntry& entry : read->entries) {
            if (!entry.equiv.isEmpty()) {
                auto same = sameStock(entry, known);
                if (!same) {
                    read->leaveOut(QStringLiteral("%1 %2: the part it is the same as, %3, is not known")
                                       .arg(entry.stock.brand, entry.stock.part, entry.equiv));
                    continue;
                }
                entry.stock = std::move(*same);
            }
            known.insert(stockKey(entry.stock.brand, entry.stock.part), entry.stock);
            reading.stocks.push_back(std::move(entry.stock));
        }
        if (read->leftOut > 0)
            reading.problems << path + QStringLiteral(": ") + read->leftOutSummary();
    }
    std::stable_sort(reading.stocks.begin(), reading.stocks.end(),
                     [](const LabelStock& a, const LabelStock& b) {
                         const int brand = a.brand.compare(b.brand, Qt::CaseInsensitive);
                         return brand != 0 ? brand < 0 : a.part.compare(b.part, Qt::CaseInsensitive) < 0;
                     });
    return reading;
}

QStringList labelStockFolders() {
    QStringList folders;
    for (const QString& data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        folders << data + QStringLiteral("/libglabels-3.0/templates")
                << data + QStringLiteral("/glabels-qt/templates");
    folders << QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                   QStringLiteral("/libglabels/templates")
            << QDir::homePath() + QStringLiteral("/.glabels");
    return folders;
}
