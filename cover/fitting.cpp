#include "cover/fitting.h"

#include "cover/fitpixels.h"

FitSizes fitSizesFor(CoverMode mode) {
    switch (mode) {
    case CoverMode::CdCover:
        return {{900, 900}, {450, 450}, {450, 450}, true};
    case CoverMode::FrontCover:
        return {{900, 900}, {450, 450}, {450, 450}, false};
    case CoverMode::BackCover:
        return {{1020, 830}, {510, 415}, {505, 410}, false};
    case CoverMode::MiniCd:
        return {{600, 600}, {300, 300}, {300, 300}, true};
    }
    return {};
}

FittedPicture fitToCover(const QImage& source, CoverMode mode, const QImage& mask) {
    return fitStretched(stretchToSize(source, fitSizesFor(mode).stretch), mode, mask);
}

FittedPicture fitStretched(const QImage& stretched, CoverMode mode, const QImage& mask) {
    const FitSizes sizes = fitSizesFor(mode);
    FittedPicture fit;
    fit.stretched = stretched;
    fit.picture = halveBoxFilter(fit.stretched);
    if (fit.picture.size() != sizes.final)
        fit.picture = scaleNearest(fit.picture, sizes.final);
    if (sizes.discMask)
        stampMask(fit.picture, mask);
    return fit;
}

QImage fitAt(const QImage& source, CoverMode mode, QSize size, const QImage& mask) {
    QImage picture = stretchToSize(source, size);
    if (fitSizesFor(mode).discMask)
        stampMask(picture, mask);
    return picture;
}

bool bigEnoughForSlide(CoverMode mode, QSize size) {
    switch (mode) {
    case CoverMode::CdCover:
    case CoverMode::FrontCover:
        return size.width() > 451 && size.height() > 451;
    case CoverMode::BackCover:
        return size.width() > 507 && size.height() > 413;
    case CoverMode::MiniCd:
        return false;
    }
    return false;
}
