#pragma once

#include "print/pagepreview.h"

#include <optional>

class Interaction;
class PrinterPort;
class QWidget;

// The page Print would make on the printer of the moment; nullopt when no printer is installed.
std::optional<PagePlan> planOnPrinter(PrinterPort& printer, const Placement& placement, bool first,
                                      bool second);

// Before a job begins: when the printer cannot reach part of a picture, says by how much and on
// which side and asks whether to print anyway. True when the job may begin.
bool printAnywayWhenCut(Interaction& ui, QWidget* owner, PrinterPort& printer, const Placement& placement,
                        bool first, bool second);
