#include "print/labelstockfile.h"

#include <QFile>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>

namespace {

// Real files are under 100 kB; anything far larger is not a template file.
constexpr qint64 kLargestFileBytes = 8 << 20;
constexpr double kMmPerPt = 25.4 / 72;
// The library writes at most 20 characters for a number; a sheet needs no more than this.
constexpr qsizetype kLongestNumber = 40;

const std::pair<QStringView, double> kUnits[] = {
    {u"pt", kMmPerPt}, {u"mm", 1.0}, {u"cm", 10.0}, {u"in", 25.4}, {u"pc", 12 * kMmPerPt}};

qsizetype digitsFrom(QStringView text, qsizetype at) {
    qsizetype end = at;
    while (end < text.size() && text[end] >= u'0' && text[end] <= u'9')
        ++end;
    return end - at;
}

// [+-] digits [. digits] [e [+-] 1-3 digits], with a digit before or after the point.
bool isNumber(QStringView text) {
    qsizetype at = text.startsWith(u'+') || text.startsWith(u'-') ? 1 : 0;
    const qsizetype whole = digitsFrom(text, at);
    at += whole;
    qsizetype fraction = 0;
    if (at < text.size() && text[at] == u'.') {
        fraction = digitsFrom(text, at + 1);
        at += 1 + fraction;
    }
    if (whole + fraction == 0)
        return false;
    if (at < text.size() && (text[at] == u'e' || text[at] == u'E')) {
        ++at;
        if (at < text.size() && (text[at] == u'+' || text[at] == u'-'))
            ++at;
        const qsizetype exponent = digitsFrom(text, at);
        if (exponent < 1 || exponent > 3)
            return false;
        at += exponent;
    }
    return at == text.size();
}

// A name with a line break in it would break the file the choice is kept in.
QString oneLine(QString text) {
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            c = u' ';
    return text;
}

QString fileProblem(const QString& path, const QString& reason) {
    return path + QStringLiteral(": ") + reason;
}

// Opens a file to read, or says why not.
std::optional<QString> openFault(QFile& file) {
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot be read (%1)").arg(file.errorString());
    if (file.size() > kLargestFileBytes)
        return QStringLiteral("is larger than a template file can be");
    return std::nullopt;
}

QString xmlFault(const QXmlStreamReader& xml) {
    return QStringLiteral("damaged at line %1 (%2)").arg(xml.lineNumber()).arg(xml.errorString());
}

// Reads the attributes of one element, keeping the first thing wrong with them.
class Attributes {
public:
    Attributes(const QXmlStreamReader& xml, QString& fault) : attributes_(xml.attributes()), fault_(fault) {}

    QString text(const char* name) const { return attributes_.value(QLatin1StringView(name)).toString(); }

    double length(const char* name, std::optional<double> fallback = std::nullopt) const {
        if (!attributes_.hasAttribute(QLatin1StringView(name))) {
            if (!fallback)
                fail(QStringLiteral("no %1").arg(QLatin1StringView(name)));
            return fallback.value_or(0);
        }
        const auto mm = parseLength(text(name));
        if (!mm)
            fail(QStringLiteral("%1 \"%2\" is not a length up to %3 mm")
                     .arg(QLatin1StringView(name), text(name))
                     .arg(kLongestLengthMm));
        return mm.value_or(0);
    }

    int count(const char* name) const {
        bool ok = false;
        const uint value = attributes_.value(QLatin1StringView(name)).toUInt(&ok);
        if (!ok || value < 1 || value > kMostLabelsPerStock) {
            fail(QStringLiteral("%1 \"%2\" is not a count from 1 to %3")
                     .arg(QLatin1StringView(name), text(name))
                     .arg(kMostLabelsPerStock));
            return 1;
        }
        return static_cast<int>(value);
    }

    void fail(const QString& reason) const {
        if (fault_.isEmpty())
            fault_ = reason;
    }

private:
    QXmlStreamAttributes attributes_;
    QString& fault_;
};

std::optional<LabelShape> labelShape(QStringView element) {
    if (element == u"Label-cd" || element == u"Label-round")
        return LabelShape::Disc;
    if (element == u"Label-rectangle")
        return LabelShape::Rectangle;
    if (element == u"Label-ellipse")
        return LabelShape::Ellipse;
    return std::nullopt;
}

// Reads a label element and its layouts; the reader ends on the label's end.
StockLabel readLabel(QXmlStreamReader& xml, LabelShape shape, QString& fault) {
    const Attributes at(xml, fault);
    StockLabel label;
    label.shape = shape;
    if (shape == LabelShape::Disc) {
        label.radius = at.length("radius");
        label.holeRadius = xml.name() == u"Label-cd" ? at.length("hole") : 0;
        label.width = at.length("width", 2 * label.radius);
        label.height = at.length("height", 2 * label.radius);
        if (label.radius <= 0 || label.holeRadius >= label.radius)
            at.fail(QStringLiteral("the disc's hole is not inside it"));
    } else {
        label.width = at.length("width");
        label.height = at.length("height");
        if (shape == LabelShape::Rectangle)
            label.radius = at.length("round", 0);
    }
    if (label.width <= 0 || label.height <= 0)
        at.fail(QStringLiteral("a label has no size"));
    while (xml.readNextStartElement()) {
        if (xml.name() == u"Layout") {
            const Attributes layout(xml, fault);
            label.layouts.push_back({layout.count("nx"), layout.count("ny"), layout.length("x0", 0),
                                     layout.length("y0", 0), layout.length("dx", 0), layout.length("dy", 0)});
        }
        xml.skipCurrentElement();
    }
    if (label.layouts.empty())
        at.fail(QStringLiteral("a label has no layout"));
    return label;
}

// Reads a Template element; the reader ends on its end. Sets fault when it cannot be used.
TemplateEntry readTemplate(QXmlStreamReader& xml, const std::vector<PaperSize>& papers, QString& fault) {
    const Attributes at(xml, fault);
    TemplateEntry entry;
    LabelStock& stock = entry.stock;
    stock.brand = oneLine(at.text("brand"));
    stock.part = oneLine(at.text("part"));
    // A literal description is the maker's own words; _description is the library's English.
    stock.description = oneLine(at.text("description"));
    if (stock.description.isEmpty())
        stock.description = oneLine(at.text("_description"));
    entry.equiv = oneLine(at.text("equiv"));
    if (stock.brand.isEmpty() || stock.part.isEmpty())
        at.fail(QStringLiteral("a template has no brand or part"));

    if (entry.equiv.isEmpty()) {
        const QString size = at.text("size");
        const auto paper =
            std::find_if(papers.begin(), papers.end(), [&](const PaperSize& p) { return p.id == size; });
        if (paper != papers.end()) {
            stock.paperWidth = paper->width;
            stock.paperHeight = paper->height;
        } else if (size.isEmpty() || size == u"Other") {
            stock.paperWidth = at.length("width");
            stock.paperHeight = at.length("height");
        } else {
            at.fail(QStringLiteral("its paper \"%1\" is not known").arg(size));
        }
    }
    while (xml.readNextStartElement()) {
        if (const auto shape = labelShape(xml.name()))
            stock.labels.push_back(readLabel(xml, *shape, fault));
        else
            xml.skipCurrentElement();
    }
    if (!entry.equiv.isEmpty())
        return entry;
    if (stock.labels.empty())
        at.fail(QStringLiteral("it has no label"));
    for (const StockLabel& label : stock.labels)
        if (label.width > stock.paperWidth || label.height > stock.paperHeight)
            at.fail(QStringLiteral("a label is larger than its paper"));
    if (stock.count() > kMostLabelsPerStock)
        at.fail(QStringLiteral("it has more than %1 labels").arg(kMostLabelsPerStock));
    return entry;
}

} // namespace

std::optional<double> parseLength(const QString& text) {
    QStringView rest = QStringView(text).trimmed();
    double perUnit = kMmPerPt;
    for (const auto& [unit, mm] : kUnits) {
        if (rest.endsWith(unit)) {
            perUnit = mm;
            rest = rest.chopped(unit.size()).trimmed();
            break;
        }
    }
    if (rest.isEmpty())
        return 0.0;
    if (rest.size() > kLongestNumber || !isNumber(rest))
        return std::nullopt;
    bool ok = false;
    const double mm = rest.toDouble(&ok) * perUnit;
    if (!ok || !std::isfinite(mm) || mm < 0 || mm > kLongestLengthMm)
        return std::nullopt;
    return mm;
}

std::vector<PaperSize> builtInPaperSizes() {
    return {{QStringLiteral("A4"), 210, 297}, {QStringLiteral("US-Letter"), 215.9, 279.4}};
}

std::vector<PaperSize> readPaperSizes(const QString& path, QStringList& problems) {
    QFile file(path);
    if (const auto fault = openFault(file)) {
        problems << fileProblem(path, *fault);
        return {};
    }
    std::vector<PaperSize> read;
    QXmlStreamReader xml(&file);
    if (xml.readNextStartElement() && xml.name() != u"Glabels-paper-sizes") {
        problems << fileProblem(path, QStringLiteral("is not a paper-size file"));
        return {};
    }
    while (xml.readNextStartElement()) {
        QString fault;
        const Attributes at(xml, fault);
        const PaperSize size{at.text("id"), at.length("width"), at.length("height")};
        if (xml.name() == u"Paper-size" && fault.isEmpty() && !size.id.isEmpty())
            read.push_back(size);
        xml.skipCurrentElement();
    }
    if (xml.hasError()) {
        problems << fileProblem(path, xmlFault(xml));
        return {};
    }
    return read;
}

void TemplateFile::leaveOut(const QString& reason) {
    if (leftOut++ == 0)
        firstLeftOut = reason;
}

QString TemplateFile::leftOutSummary() const {
    if (leftOut <= 1)
        return firstLeftOut;
    return QStringLiteral("%1 (and %2 more templates left out)").arg(firstLeftOut).arg(leftOut - 1);
}

std::optional<TemplateFile> readTemplateFile(const QString& path, const std::vector<PaperSize>& papers,
                                             QStringList& problems) {
    QFile file(path);
    if (const auto fault = openFault(file)) {
        problems << fileProblem(path, *fault);
        return std::nullopt;
    }
    QXmlStreamReader xml(&file);
    if (xml.readNextStartElement() && xml.name() != u"Glabels-templates") {
        problems << fileProblem(path, QStringLiteral("is not a label-template file"));
        return std::nullopt;
    }
    TemplateFile read;
    while (xml.readNextStartElement()) {
        if (xml.name() != u"Template") {
            xml.skipCurrentElement();
            continue;
        }
        QString fault;
        TemplateEntry entry = readTemplate(xml, papers, fault);
        if (fault.isEmpty())
            read.entries.push_back(std::move(entry));
        else
            read.leaveOut(entry.stock.brand + u' ' + entry.stock.part + QStringLiteral(": ") + fault);
    }
    if (xml.hasError()) {
        problems << fileProblem(path, xmlFault(xml));
        return std::nullopt;
    }
    return read;
}
