#include "print/labelstockfile.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QStandardPaths>
#include <algorithm>
#include <dirent.h>
#include <memory>

namespace {

QString stockKey(const QString& brand, const QString& part) {
    return brand + u'\n' + part;
}

// Unreadable files are listed too: reading them names them as problems.
QStringList filesIn(const QStringList& folders, const QStringList& patterns) {
    QStringList files;
    for (const QString& folder : folders) {
        const QDir dir(folder);
        for (const QString& name : dir.entryList(patterns, QDir::Files, QDir::Name))
            files << dir.filePath(name);
    }
    return files;
}

// Qt does not list a file whose name is not UTF-8, so the folder is read as bytes to name them.
void nameUnlistedFiles(const QStringList& folders, const QStringList& patterns, QStringList& problems) {
    for (const QString& folder : folders) {
        const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(QFile::encodeName(folder).constData()),
                                                      &::closedir);
        if (!dir)
            continue;
        while (const dirent* entry = ::readdir(dir.get())) {
            const QByteArray raw(entry->d_name);
            const QString name = QString::fromUtf8(raw);
            if (name.toUtf8() != raw && QDir::match(patterns, name))
                problems << QDir(folder).filePath(name) +
                                QStringLiteral(": its name is not UTF-8, so it cannot be read; rename it");
        }
    }
}

// The stocks read so far, each brand and part once.
class StockList {
public:
    explicit StockList(std::vector<LabelStock>& stocks) : stocks_(stocks) {}

    const LabelStock* find(const QString& brand, const QString& part) const {
        const auto at = index_.constFind(stockKey(brand, part));
        return at == index_.constEnd() ? nullptr : &stocks_[size_t(*at)];
    }

    // A second copy is dropped unless it is the user's own and the first is the library's.
    void add(LabelStock&& stock) {
        const QString key = stockKey(stock.brand, stock.part);
        const auto at = index_.constFind(key);
        if (at == index_.constEnd()) {
            index_.insert(key, qsizetype(stocks_.size()));
            stocks_.push_back(std::move(stock));
        } else if (stock.own && !stocks_[size_t(*at)].own) {
            stocks_[size_t(*at)] = std::move(stock);
        }
    }

private:
    std::vector<LabelStock>& stocks_;
    QHash<QString, qsizetype> index_;
};

// The stock an entry declared the same as another stands for: the other's paper and labels under
// its own part, and its own description when it has one.
std::optional<LabelStock> sameStock(const TemplateEntry& entry, const StockList& known) {
    const LabelStock* other = known.find(entry.stock.brand, entry.equiv);
    if (other == nullptr)
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

StockReading readLabelStocks(const QStringList& library, const QStringList& own) {
    StockReading reading;
    // Each file's sizes go before those read earlier: the user's own are found first.
    std::vector<PaperSize> papers = builtInPaperSizes();
    for (const QString& path : filesIn(library + own, {QStringLiteral("paper-sizes.xml")})) {
        const std::vector<PaperSize> read = readPaperSizes(path, reading.problems);
        papers.insert(papers.begin(), read.begin(), read.end());
    }

    // A part may be declared the same as any part read before it, in any file.
    StockList known(reading.stocks);
    const QStringList patterns{QStringLiteral("*-templates.xml"), QStringLiteral("*.template")};
    nameUnlistedFiles(library + own, patterns + QStringList{QStringLiteral("paper-sizes.xml")},
                      reading.problems);
    const QStringList libraryFiles = filesIn(library, patterns);
    const QStringList files = libraryFiles + filesIn(own, patterns);
    for (qsizetype file = 0; file < files.size(); ++file) {
        const QString& path = files[file];
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
            entry.stock.own = file >= libraryFiles.size();
            known.add(std::move(entry.stock));
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

StockReading readLabelStocks(const StockFolders& folders) {
    return readLabelStocks(folders.library, folders.own);
}

StockFolders labelStockFolders() {
    StockFolders folders;
    for (const QString& data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        folders.library << data + QStringLiteral("/libglabels-3.0/templates")
                        << data + QStringLiteral("/glabels-qt/templates");
    folders.own << QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                       QStringLiteral("/libglabels/templates")
                << QDir::homePath() + QStringLiteral("/.glabels");
    return folders;
}
