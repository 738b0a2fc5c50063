#pragma once

#include "cover/coverdocument.h"
#include "cover/mainwindowport.h"

#include <QStringList>
#include <QTemporaryDir>

// A main window reduced to its document, its status texts and a record of what the other windows
// asked of it, for testing one window alone.
// Its document's program folder and own folder are a fresh temporary folder, so that whatever a
// window writes lands there and is gone after the test.
class FakeMainWindow : public MainWindowPort {
public:
    FakeMainWindow();

    CoverDocument doc;
    QStringList asked;

    CoverDocument& document() override;
    void setStatusText(int panel, const QString& text) override;
    void repaintPreview() override;
    void resizePicture() override;
    void resizeAdjustPicture() override;
    Picture pictureToDrawOn(const SlotInfo& slot) const override;
    void switchToMode(CoverMode mode) override;

private:
    QTemporaryDir folder_;
};
