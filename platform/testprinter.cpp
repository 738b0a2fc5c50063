#include "platform/testprinter.h"

#include "platform/orbalinerror.h"

int TestPrinter::deviceCaps(DeviceCap index) {
    if (!metrics_)
        return 0;
    switch (index) {
    case DeviceCap::LOGPIXELSX:
        return metrics_->logPixelsX;
    case DeviceCap::LOGPIXELSY:
        return metrics_->logPixelsY;
    case DeviceCap::HORZSIZE:
        return metrics_->horzSizeMm;
    case DeviceCap::VERTSIZE:
        return metrics_->vertSizeMm;
    case DeviceCap::HORZRES:
        return metrics_->horzRes;
    case DeviceCap::VERTRES:
        return metrics_->vertRes;
    }
    return 0;
}

QPainter& TestPrinter::beginJob(const QString& title) {
    if (!metrics_)
        throw OrbalinError(QStringLiteral("No printer is installed: \"%1\" was not printed.").arg(title));
    if (refuseJobs)
        throw OrbalinError(QStringLiteral("The printer refused the job \"%1\".").arg(title));
    jobs.push_back(Job{title, QPicture(), false});
    painter_.begin(&jobs.back().page);
    return painter_;
}

void TestPrinter::endJob() {
    if (painter_.isActive())
        painter_.end();
    if (!jobs.empty())
        jobs.back().ended = true;
}
