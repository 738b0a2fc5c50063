#include "support/workingfolder.h"
#include <QGuiApplication>

#include <gtest/gtest.h>

// The core's tests need pictures and fonts but no widgets: a bare Gui application, without a
// display, at a fixed 96 dots per inch.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_FONT_DPI", "96");
    ::testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    const EmptyWorkingFolder workingFolder;
    return workingFolder.checked(RUN_ALL_TESTS());
}
