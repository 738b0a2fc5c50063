// Cover files: what is written is read back exactly, pictures are kept once, and nothing in a file
// read is trusted.
#include "cover/coverfile.h"
#include "cover/coverfilenames.h"
#include "platform/zipcontainer.h"

#include "support/jpegwriter.h"
#include "support/pictures.h"
#include "support/tempfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>
#include <functional>
#include <gtest/gtest.h>
#include <sys/fsuid.h>
#include <unistd.h>

namespace {

QByteArray bytesOf(const QString& file) {
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

// Every field of a step, written out by the test itself, so two snapshots compare independently of
// the file's own format. A photo is named by its bytes, an inserted picture by its pixels.
QString described(const CoverStep& step) {
    QString text;
    QTextStream out(&text);
    out << step.name << '|' << step.keptWasPicture << '|';
    const auto colour = [](const QColor& c) { return c.name(QColor::HexArgb); };
    std::visit(
        [&](const auto& inputs) {
            using T = std::decay_t<decltype(inputs)>;
            if constexpr (std::is_same_v<T, FitStep>) {
                if (const auto* opened = std::get_if<OpenedSource>(&inputs.source))
                    out << "photo " << bytesOf(opened->path).toHex();
                else {
                    const auto& g = std::get<GradientSource>(inputs.source);
                    out << "gradient " << modeNumber(g.mode) << g.elliptical << colour(g.first)
                        << colour(g.second);
                }
                out << " piece " << inputs.piece.x() << ',' << inputs.piece.y() << ',' << inputs.piece.width()
                    << ',' << inputs.piece.height();
            } else if constexpr (std::is_same_v<T, TextLayoutStep>) {
                out << "text mask " << int(inputs.plan.mask);
                for (const TextDraw& d : inputs.plan.draws)
                    out << " [" << d.text << ' ' << d.topLeft.x() << ',' << d.topLeft.y() << ' ' << d.angle
                        << ' ' << d.style.family << d.style.pointSize << d.style.bold << d.style.italic
                        << d.style.underline << colour(d.style.colour) << ']';
            } else if constexpr (std::is_same_v<T, StampStep>) {
                const TextStamp& s = inputs.stamp;
                out << "stamp " << s.caption << s.family << s.pointSize << s.bold << colour(s.colour)
                    << s.reversed << ' ' << inputs.corner.x() << ',' << inputs.corner.y();
            } else if constexpr (std::is_same_v<T, TurnStep>) {
                out << "turn " << inputs.left;
            } else if constexpr (std::is_same_v<T, InsertStep>) {
                const QImage& p = inputs.picture;
                out << "insert " << p.format() << ' ' << p.width() << 'x' << p.height() << ' '
                    << p.colorCount() << ' ' << inputs.at.x() << ',' << inputs.at.y();
                for (int y = 0; y < p.height(); ++y) // the rows' padding is no part of the picture
                    out << QByteArray(reinterpret_cast<const char*>(p.constScanLine(y)),
                                      (p.width() * p.depth() + 7) / 8)
                               .toHex();
            } else {
                out << "clear";
            }
        },
        step.inputs);
    return text;
}

QStringList described(const CoverSnapshot& snapshot) {
    QStringList lines{
        QStringLiteral("mode %1 second %2").arg(modeNumber(snapshot.mode)).arg(snapshot.secondPicture)};
    for (const SlotSnapshot& slot : snapshot.slotSnapshots) {
        lines << QStringLiteral("slot %1 %2").arg(slot.loaded).arg(slot.resized);
        for (const CoverStep& step : slot.steps)
            lines << described(step);
        if (slot.unfitted)
            lines << QStringLiteral("unfitted ") + described(CoverStep{QStringLiteral("-"), *slot.unfitted});
    }
    return lines;
}

QImage indexedPicture() {
    QImage picture(5, 3, QImage::Format_Indexed8);
    picture.setColorTable({qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 0, 255)});
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            picture.setPixel(x, y, uint((x + y) % 3));
    return picture;
}

class CoverFile : public TempFiles {
protected:
    QTemporaryDir photos; // the program's folder for the photos of covers opened

    OpenedSource photo(const QString& name, const QImage& image) {
        const QString file = write(name, encodeJpeg(image));
        const QFileInfo info(file);
        return {file, info.lastModified(), info.size()};
    }

    // Every kind of step, a photo used by two slots, a gradient and a picture waiting to be fitted.
    CoverSnapshot everything() {
        const OpenedSource beach = photo(QStringLiteral("beach.jpg"), gradientPicture(64, 48));
        const OpenedSource dog = photo(QStringLiteral("dog.JPEG"), noisePicture(40, 30, 7));
        CoverSnapshot cover;
        cover.mode = CoverMode::BackCover;
        cover.secondPicture = true;
        TextPlan plan;
        plan.mask = LayoutMask::Disc;
        plan.draws = {{QStringLiteral("Côté A"),
                       {10, -4},
                       {QStringLiteral("Liberation Sans"), 14, true, false, true, QColor(1, 2, 3)},
                       90},
                      {QStringLiteral(""), {0, 300}, {}, 0}};
        cover.slotSnapshots[0] = {
            {{QStringLiteral("Resize"), FitStep{beach, {}}},
             {QStringLiteral("Center"), TextLayoutStep{plan}, true},
             {QStringLiteral("Stamp"), StampStep{{QStringLiteral("Vol. 2"), QStringLiteral("Arial"), 20,
                                                  false, QColor(200, 10, 10, 128), true},
                                                 {-3, 7}}},
             {QStringLiteral("Turn Left"), TurnStep{true}},
             {QStringLiteral("Insert Picture"), InsertStep{indexedPicture(), {12, 13}}},
             {QStringLiteral("Insert Picture"), InsertStep{solidPicture(4, 4, Qt::green), {-2, 0}}},
             {QStringLiteral("Clear"), ClearStep{}}},
            std::nullopt,
            true,
            true};
        cover.slotSnapshots[3] = {{{QStringLiteral("Resize-Adjust"), FitStep{beach, QRect(5, 6, 30, 20)}}},
                                  std::nullopt,
                                  true,
                                  false};
        cover.slotSnapshots[4] = {
            {{QStringLiteral("Gradient"),
              FitStep{GradientSource{CoverMode::BackCover, true, Qt::red, QColor(0, 0, 80)}, {}}}},
            std::nullopt,
            true,
            true};
        cover.slotSnapshots[5].unfitted = FitStep{dog, {}};
        cover.slotSnapshots[5].loaded = true;
        return cover;
    }

    QString saved(const CoverSnapshot& cover, const QString& name = QStringLiteral("mine.orbcover")) {
        PhotoBytes bytes;
        EXPECT_EQ(gatherPhotos(cover, bytes), std::nullopt);
        EXPECT_EQ(writeCover(path(name), cover, bytes), std::nullopt);
        return path(name);
    }

    QStringList entriesOf(const QString& file) {
        ZipReader zip;
        EXPECT_EQ(zip.openFile(file), std::nullopt);
        QStringList names;
        for (const ZipReader::Listed& entry : zip.entries())
            names << entry.name;
        return names;
    }
};

TEST_F(CoverFile, WrittenReadAndWrittenAgainGivesTheSameCoverAndTheSameBytes) {
    const CoverSnapshot cover = everything();
    const QString first = saved(cover);
    auto read = readCover(first, photos.path());
    ASSERT_TRUE(std::holds_alternative<OpenedCover>(read)) << std::get<QString>(read).toStdString();
    const OpenedCover& opened = std::get<OpenedCover>(read);
    EXPECT_EQ(described(opened.snapshot).join(u'\n').toStdString(),
              described(cover).join(u'\n').toStdString());

    // The photos come back as files of the original bytes in the folder given, which the steps name.
    const auto& fit = std::get<FitStep>(opened.snapshot.slotSnapshots[0].steps[0].inputs);
    const auto& source = std::get<OpenedSource>(fit.source);
    EXPECT_EQ(QFileInfo(source.path).absolutePath(), QFileInfo(photos.path()).absoluteFilePath());
    EXPECT_EQ(contents(source.path), contents(path(QStringLiteral("beach.jpg"))));
    EXPECT_EQ(source.bytes, QFileInfo(source.path).size());
    EXPECT_EQ(source.modified, QFileInfo(source.path).lastModified());
    EXPECT_EQ(opened.photos.size(), 2u);

    ASSERT_EQ(writeCover(path(QStringLiteral("again.orbcover")), opened.snapshot, opened.photos),
              std::nullopt);
    EXPECT_EQ(contents(path(QStringLiteral("again.orbcover"))), contents(first));
}

TEST_F(CoverFile, APictureUsedManyTimesIsKeptOnce) {
    CoverSnapshot cover = everything();
    cover.slotSnapshots[6] =
        cover.slotSnapshots[0]; // the same photo and inserted pictures a third and fourth time
    const QStringList entries = entriesOf(saved(cover));
    EXPECT_EQ(entries.filter(QStringLiteral("photos/")).size(), 2) << entries.join(u' ').toStdString();
    EXPECT_EQ(entries.filter(QStringLiteral("inserts/")).size(), 2) << entries.join(u' ').toStdString();
    EXPECT_TRUE(entries.contains(kManifestEntry));
}

TEST_F(CoverFile, APhotoChangedOrGoneSinceItWasOpenedIsNotKept) {
    CoverSnapshot cover = everything();
    PhotoBytes bytes;
    { // overwritten since it was opened, with as many bytes
        const QString beach = path(QStringLiteral("beach.jpg"));
        QByteArray other = contents(beach);
        other[other.size() / 2] = char(other[other.size() / 2] ^ 0x55);
        write(QStringLiteral("beach.jpg"), other);
        QFile file(beach);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(
            file.setFileTime(QDateTime::currentDateTime().addSecs(3600), QFileDevice::FileModificationTime));
    }
    const std::optional<QString> changed = gatherPhotos(cover, bytes);
    ASSERT_TRUE(changed);
    EXPECT_EQ(
        *changed,
        QStringLiteral("The photo \"%1\" cannot be kept in the cover. It has changed since it was opened.")
            .arg(path(QStringLiteral("beach.jpg"))));

    ASSERT_TRUE(QFile::remove(path(QStringLiteral("beach.jpg"))));
    ASSERT_TRUE(gatherPhotos(cover, bytes));
    // Written without it, the cover is refused and nothing is put in its place.
    const std::optional<QString> refused = writeCover(path(QStringLiteral("mine.orbcover")), cover, bytes);
    ASSERT_TRUE(refused);
    EXPECT_TRUE(refused->contains(QStringLiteral("was not read"))) << refused->toStdString();
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("mine.orbcover"))));
}

// Root writes anywhere: its file accesses are made as "nobody" meanwhile (Linux, this thread only).
TEST_F(CoverFile, AFailedSaveLeavesTheCoverThereAsItWas) {
    const CoverSnapshot cover = everything();
    PhotoBytes bytes;
    ASSERT_EQ(gatherPhotos(cover, bytes), std::nullopt);
    const QString folder = path(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString file = folder + QStringLiteral("/mine.orbcover");
    ASSERT_EQ(writeCover(file, cover, bytes), std::nullopt);
    const QByteArray before = contents(file);
    CoverSnapshot changed = cover;
    changed.secondPicture = false;

    // The file itself could be written in place: only a save beside it and renamed over it fails.
    ASSERT_TRUE(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                                QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther));
    const auto readable = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                          QFile::ReadOther | QFile::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(dir.path(), readable | QFile::WriteOwner));
    ASSERT_TRUE(QFile::setPermissions(folder, readable));
    const bool root = ::geteuid() == 0;
    if (root)
        ::setfsuid(65534);
    const std::optional<QString> refused = writeCover(file, changed, bytes);
    if (root)
        ::setfsuid(0);
    QFile::setPermissions(folder, readable | QFile::WriteOwner);

    ASSERT_TRUE(refused);
    EXPECT_TRUE(refused->startsWith(QStringLiteral("The cover \"%1\" cannot be saved. ").arg(file)))
        << refused->toStdString();
    EXPECT_EQ(contents(file), before);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"mine.orbcover"});
}

// --- Files that are not what they claim ---

struct Hostile {
    const char* name;
    std::function<QByteArray(const QByteArray& good, const std::vector<ZipEntry>& entries)> make;
    const char* reason; // part of the message
};

std::vector<ZipEntry> entriesIn(const QByteArray& zipBytes) {
    ZipReader zip;
    EXPECT_EQ(zip.openBytes(zipBytes), std::nullopt);
    std::vector<ZipEntry> entries;
    for (const ZipReader::Listed& listed : zip.entries())
        entries.push_back({listed.name, std::get<QByteArray>(zip.read(listed.name, qint64(1) << 30)), true});
    return entries;
}

QByteArray packed(const std::vector<ZipEntry>& entries) {
    return std::get<QByteArray>(packZip(entries));
}

// The entries with the manifest's text changed.
QByteArray withManifest(std::vector<ZipEntry> entries, const std::function<void(QByteArray&)>& change) {
    change(entries.front().bytes);
    return packed(entries);
}

// The inflated size an entry states, set in its local header and in the central directory alike.
QByteArray withStatedSize(QByteArray zip, quint32 size) {
    const auto put = [&](qsizetype at) {
        for (int i = 0; i < 4; ++i)
            zip[at + i] = char((size >> (8 * i)) & 0xff);
    };
    put(22); // the first entry's local header
    put(zip.indexOf("PK\x01\x02") + 24);
    return zip;
}

const Hostile kHostile[] = {
    {"Empty", [](const QByteArray&, const auto&) { return QByteArray(); }, "It is empty."},
    {"Short", [](const QByteArray& good, const auto&) { return good.left(good.size() / 2); },
     "It is not a cover file, or it was cut short."},
    {"Garbage", [](const QByteArray&, const auto&) { return QByteArray(5000, 'x'); },
     "It is not a cover file, or it was cut short."},
    {"NoManifest",
     [](const QByteArray&, const auto& entries) {
         return packed({entries.begin() + 1, entries.end()});
     },
     "It is not a cover: it has no manifest."},
    {"NewerVersion",
     [](const QByteArray&, const auto& entries) {
         return withManifest(entries, [](QByteArray& m) { m.replace("\"version\": 1", "\"version\": 2"); });
     },
     "It was made by a newer Orbalin"},
    {"BadJson",
     [](const QByteArray&, const auto& entries) {
         return withManifest(entries, [](QByteArray& m) { m.chop(3); });
     },
     "Its manifest is damaged"},
    {"UnknownStepKind",
     [](const QByteArray&, const auto& entries) {
         return withManifest(entries,
                             [](QByteArray& m) { m.replace("\"kind\": \"turn\"", "\"kind\": \"melt\""); });
     },
     "Picture #1 of Cd Cover, step 4, cannot be used: its kind \"melt\" is not one this Orbalin knows."},
    {"ImpossibleValue",
     [](const QByteArray&, const auto& entries) {
         return withManifest(entries,
                             [](QByteArray& m) { m.replace("\"pointSize\": 20", "\"pointSize\": 0"); });
     },
     "its pointSize is not a whole number from 1 to 1000"},
    {"MissingPicture",
     [](const QByteArray&, const auto& entries) {
         auto fewer = entries;
         fewer.pop_back();
         return packed(fewer);
     },
     "that is not in the file."},
    {"PictureNotItsHash",
     [](const QByteArray&, const auto& entries) {
         auto changed = entries;
         changed.back().bytes[60] = char(changed.back().bytes[60] ^ 1);
         return packed(changed);
     },
     "is damaged."},
    {"PathClimbingOut",
     [](const QByteArray&, const auto& entries) {
         auto more = entries;
         more.push_back({QStringLiteral("photos/../../evil.jpg"), "x", true});
         return packed(more);
     },
     "names a place outside the cover."},
    {"AbsolutePath",
     [](const QByteArray&, const auto& entries) {
         auto more = entries;
         more.push_back({QStringLiteral("/tmp/evil.jpg"), "x", true});
         return packed(more);
     },
     "names a place outside the cover."},
    {"DuplicateEntries",
     [](const QByteArray&, const auto& entries) {
         auto more = entries;
         more.push_back({QStringLiteral("manifesX.json"), "{}", true});
         return packed(more).replace("manifesX.json", "manifest.json");
     },
     "It holds an entry twice."},
    {"HugeStatedSize",
     [](const QByteArray&, const auto& entries) { return withStatedSize(packed(entries), 0x7fffffff); },
     "states 2147483647 bytes, more than the 16777216 it may hold."},
    {"InflatesPastItsStatedSize",
     [](const QByteArray&, const auto& entries) { return withStatedSize(packed(entries), 100); },
     "Its entry \"manifest.json\" inflates past the size it states."},
};

class HostileCover : public CoverFile, public ::testing::WithParamInterface<Hostile> {};

TEST_P(HostileCover, IsRefusedWholeWithTheFileAndTheReason) {
    const QByteArray good = contents(saved(everything()));
    const QByteArray bad = GetParam().make(good, entriesIn(good));
    const QString file = write(QStringLiteral("bad.orbcover"), bad);
    auto read = readCover(file, photos.filePath(QStringLiteral("covers")));
    ASSERT_TRUE(std::holds_alternative<QString>(read)) << "read as a cover";
    const QString& message = std::get<QString>(read);
    EXPECT_TRUE(message.startsWith(QStringLiteral("The cover \"%1\" cannot be opened. ").arg(file)))
        << message.toStdString();
    EXPECT_TRUE(message.contains(QLatin1String(GetParam().reason))) << message.toStdString();
    EXPECT_FALSE(QFileInfo::exists(photos.filePath(QStringLiteral("covers")))) << "a photo was put out";
    // The same bytes read from memory, as the fuzzer reads them, meet the same refusal.
    auto fromBytes = readCoverBytes(bad, file);
    ASSERT_TRUE(std::holds_alternative<QString>(fromBytes));
    EXPECT_EQ(std::get<QString>(fromBytes), message);
}

INSTANTIATE_TEST_SUITE_P(Files, HostileCover, ::testing::ValuesIn(kHostile),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ZipEntryNames, OnlyNamesInsideTheContainerPass) {
    for (const char* name : {"manifest.json", "photos/ab.jpg", "photos/"})
        EXPECT_EQ(unsafeEntryName(QString::fromLatin1(name)), std::nullopt) << name;
    for (const char* name :
         {"", "../x", "a/../../x", "/etc/passwd", "C:/x", "a\\..\\x", "a//b", "./x", "a\nb"})
        EXPECT_TRUE(unsafeEntryName(QString::fromLatin1(name))) << name;
}

} // namespace
