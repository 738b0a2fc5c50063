#pragma once

#include <QString>
#include <optional>

// Asks the print server itself whether it takes jobs for a printer. Qt hands a job over without
// telling whether the server took it: a stopped server or a queue refusing jobs loses the job
// while every Qt call reports success.
//
// A server that takes the connection and then never replies would keep a caller waiting for
// libcups' own timeouts, a minute per question. These questions are asked on a thread of their own,
// of the server the calling thread uses; the caller waits at most kPrintServiceWaitSeconds,
// keeping the window painted under the wait cursor, and is told the service does not answer.

constexpr int kPrintServiceWaitSeconds = 3;

// True when the print service leaves a simple question unanswered for the whole wait. No service
// at all is not silence: the refused connection is an answer.
bool printServiceSilent();

// The reason given when the print service does not answer within the wait.
QString printServiceSilence();

// Why the server would not take a job for the printer now; nullopt when it would.
std::optional<QString> printServerRefusal(const QString& printerName);

// Right after a job was handed over in this thread: the server's reason if it refused the job.
std::optional<QString> printServerRefusedLastJob();
