#pragma once

#include <QString>
#include <optional>

// Asks the print server itself whether it takes jobs for a printer. Qt hands a job over without
// telling whether the server took it: a stopped server or a queue refusing jobs loses the job
// while every Qt call reports success.

// Why the server would not take a job for the printer now; nullopt when it would.
std::optional<QString> printServerRefusal(const QString& printerName);

// Right after a job was handed over in this thread: the server's reason if it refused the job.
std::optional<QString> printServerRefusedLastJob();
