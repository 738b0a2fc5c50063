#include "platform/qt/cupsstatus.h"

#include <cups/cups.h>

namespace {
QString lastErrorText() {
    return QString::fromUtf8(cupsLastErrorString());
}
} // namespace

std::optional<QString> printServerRefusal(const QString& printerName) {
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, printerName.toUtf8().constData(), nullptr);
    if (dest == nullptr)
        return QStringLiteral("the print service does not answer or no longer knows the printer (%1).")
            .arg(lastErrorText());
    const char* accepting = cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    const bool refuses = accepting != nullptr && qstrcmp(accepting, "false") == 0;
    cupsFreeDests(1, dest);
    if (refuses)
        return QStringLiteral("the printer is not accepting jobs.");
    return std::nullopt;
}

std::optional<QString> printServerRefusedLastJob() {
    if (cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return std::nullopt;
    return lastErrorText();
}
