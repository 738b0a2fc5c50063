#include "print/pagecheck.h"

#include "platform/interaction.h"
#include "platform/printerport.h"

std::optional<PagePlan> planOnPrinter(PrinterPort& printer, const Placement& placement, bool first,
                                      bool second) {
    const std::optional<PageGeometry> sheet = printer.pageGeometry();
    const QSize dots(printer.deviceCaps(DeviceCap::HORZRES), printer.deviceCaps(DeviceCap::VERTRES));
    if (!sheet || dots.isEmpty())
        return std::nullopt;
    return planPage(*sheet, dots, placement, first, second);
}

bool printAnywayWhenCut(Interaction& ui, QWidget* owner, PrinterPort& printer, const Placement& placement,
                        bool first, bool second) {
    const std::optional<PagePlan> plan = planOnPrinter(printer, placement, first, second);
    if (!plan || !plan->anyCut())
        return true;
    return ui.confirm(owner,
                      QStringLiteral("%1\nThe printer cannot reach that part of the page.\n\nPrint anyway?")
                          .arg(cutWarning(*plan)));
}
