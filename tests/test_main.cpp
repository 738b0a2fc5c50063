#include "platform/qt/application.h"
#include "support/workingfolder.h"

#include <gtest/gtest.h>

// Every test runs without a display, at a fixed 96 dots per inch.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_FONT_DPI", "96");
    ::testing::InitGoogleTest(&argc, argv);
    OrbalinApplication app(argc, argv);
    const EmptyWorkingFolder workingFolder;
    return workingFolder.checked(RUN_ALL_TESTS());
}
