#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

// One request to the print service and its answer, asked once. libcups' own request loop follows
// redirects and sends again after an empty answer without end, and asks for a password on the
// terminal; here nothing is followed or asked again, and every way the service can fail to answer
// ends the exchange with a sentence of ours saying what it did.

using ipp_t = struct _ipp_s;

struct IppDelete {
    void operator()(ipp_t* ipp) const;
};
using IppMessage = std::unique_ptr<ipp_t, IppDelete>;

// How long the exchange may last: `silenceSeconds` without a byte from the service, `totalSeconds`
// in all (a service that answers slowly but without end is cut off too).
struct ExchangeBounds {
    int silenceSeconds = 3;
    int totalSeconds = 6;
};

struct IppAnswer {
    IppMessage response;     // null when the service gave no IPP answer
    QString fault;           // then what it did instead: a sentence, lower case, with its full stop
    bool unanswered = false; // the fault is the service's silence or the exchange's time running out
};

// The most a service's answer may hold; the program's questions are answered in a few kilobytes.
constexpr qint64 kMostAnswerBytes = 4 << 20;

// Sends `request` with the file's bytes after it (none when `file` is empty) to `resource` of the
// calling thread's print server, and reads the answer. An IPP answer comes back whatever its status.
IppAnswer exchangeIpp(IppMessage request, const QByteArray& resource, const QString& file,
                      const ExchangeBounds& bounds);

// The status message of an IPP answer as the user may read it: its own words, on one line and
// short, or the status's name.
QString statusOf(ipp_t* response);

// Makes libcups refuse at once any password the print service asks for on the calling thread,
// rather than asking for it on the terminal the program was started from.
void refusePasswordsOnThisThread();
