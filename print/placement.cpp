#include "print/placement.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

// Long enough for any sensible value; longer texts are refused before they are parsed.
constexpr qsizetype maxNumberLength = 64;

std::optional<QByteArray> numberBytes(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.size() > maxNumberLength)
        return std::nullopt;
    return trimmed.toLatin1();
}

bool isDecimalDigits(const QByteArray& bytes) {
    int points = 0;
    int digits = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '.')
            ++points;
        else if (c >= '0' && c <= '9')
            ++digits;
        else if (!(i == 0 && c == '-'))
            return false;
    }
    return points <= 1 && digits > 0;
}

// Wide enough for any offset allowed and any whole dots per centimetre.
qint64 truncatedProduct(long double centimetres, int dotsPerCm) {
    return static_cast<qint64>(std::trunc(centimetres * dotsPerCm));
}

bool fitsInInt(qint64 value) {
    return value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max();
}

bool isWholeNumber(const QString& text) {
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

std::optional<long double> parseCentimetres(const QString& text) {
    const std::optional<QByteArray> bytes = numberBytes(text);
    if (!bytes || !isDecimalDigits(*bytes))
        return std::nullopt;
    long double value = 0;
    const char* end = bytes->constData() + bytes->size();
    const auto [stop, error] = std::from_chars(bytes->constData(), end, value, std::chars_format::fixed);
    if (error != std::errc() || stop != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> parseDots(const QString& text) {
    const std::optional<QByteArray> bytes = numberBytes(text);
    if (!bytes)
        return std::nullopt;
    int value = 0;
    const char* end = bytes->constData() + bytes->size();
    const auto [stop, error] = std::from_chars(bytes->constData(), end, value);
    if (error != std::errc() || stop != end || value < 0)
        return std::nullopt;
    return value;
}

std::optional<CalibrationFault> calibrationFault(const CalibrationTexts& texts) {
    for (int i = 0; i < 6; ++i) {
        if (texts[size_t(i)].trimmed().isEmpty())
            return CalibrationFault{i, QString()};
    }
    for (int i = 0; i < 4; ++i) {
        const std::optional<long double> centimetres = parseCentimetres(texts[size_t(i)]);
        if (!centimetres)
            return CalibrationFault{i, QStringLiteral("not a number of centimetres such as 15.00")};
        if (std::fabs(*centimetres) > kFarthestOffsetCm)
            return CalibrationFault{i, QStringLiteral("too far to be a place on the page")};
    }
    for (int i = 4; i < 6; ++i) {
        const QString text = texts[size_t(i)].trimmed();
        const std::optional<int> dots = parseDots(text);
        if ((!dots && isWholeNumber(text)) || (dots && *dots > kLargestSizeDots))
            return CalibrationFault{
                i, QStringLiteral("a whole number too large to be a printed size (at most %1 dots)")
                       .arg(kLargestSizeDots)};
        if (!dots)
            return CalibrationFault{i, QStringLiteral("not a whole number of printer dots")};
        if (*dots == 0)
            return CalibrationFault{
                i, QStringLiteral("no size at all: a picture is printed at least 1 dot wide and high")};
    }
    return std::nullopt;
}

std::variant<Placement, CalibrationFault> placementFor(const CalibrationTexts& texts, int dotsPerCmAcross,
                                                       int dotsPerCmDown) {
    if (const std::optional<CalibrationFault> fault = calibrationFault(texts))
        return *fault;
    const std::array<qint64, 2> size = {*parseDots(texts[4]), *parseDots(texts[5])};
    std::array<int, 4> offsets{};
    for (int i = 0; i < 4; ++i) {
        const qint64 near = truncatedProduct(*parseCentimetres(texts[size_t(i)]),
                                             i % 2 == 0 ? dotsPerCmAcross : dotsPerCmDown);
        if (!fitsInInt(near) || !fitsInInt(near + size[size_t(i % 2)]))
            return CalibrationFault{i, QStringLiteral("too far to be a place on the page")};
        offsets[size_t(i)] = int(near);
    }
    return Placement{offsets[0], offsets[1], offsets[2], offsets[3], int(size[0]), int(size[1])};
}

QString calibrationFieldName(int index) {
    static const char* const names[] = {
        "Picture #1, Horizontal", "Picture #1, Vertical",         "Picture #2, Horizontal",
        "Picture #2, Vertical",   "Stretch Pictures, Horizontal", "Stretch Pictures, Vertical",
    };
    return index >= 0 && index < 6 ? QString::fromLatin1(names[index]) : QString();
}

QString faultDescription(const CalibrationFault& fault, const QString& value) {
    if (fault.reason.isEmpty())
        return QStringLiteral("is empty.");
    constexpr qsizetype shown = 20;
    const QString quoted =
        value.size() <= shown
            ? QLatin1Char('"') + value + QLatin1Char('"')
            : QStringLiteral("\"%1…\" (%2 characters)").arg(value.left(shown), QString::number(value.size()));
    return QStringLiteral("is %1, which is %2.").arg(quoted, fault.reason);
}
