// The caption table on its own: which line of a language file captions which control.
#include "lang/captiontable.h"

#include <gtest/gtest.h>
#include <set>
#include <string>
#include <utility>

namespace {

// The lines a language file leaves free: never read, whatever they hold.
const std::set<int> kFreeLines{1,   17,  18,  22,  23,  30,  41,  45,  50,  51,  55,  56,  62,  63,  65,
                               66,  71,  72,  74,  75,  77,  78,  87,  88,  95,  96,  108, 109, 116, 117,
                               121, 122, 125, 126, 128, 129, 131, 132, 137, 138, 142, 149, 155};

std::string keyOf(std::string_view window, std::string_view control) {
    return std::string(window) + "/" + std::string(control);
}

TEST(CaptionTable, LinesRiseWithoutRepeatsInsideTheFile) {
    int previous = 0;
    for (const CaptionRow& row : captionTable()) {
        EXPECT_GT(row.line, previous) << "line " << row.line << " after " << previous;
        EXPECT_GE(row.line, 2);
        EXPECT_LE(row.line, kCaptionLineCount);
        previous = row.line;
    }
    EXPECT_EQ(previous, kCaptionLineCount) << "a complete file ends with the last caption";
}

TEST(CaptionTable, EveryLineIsEitherACaptionOrFree) {
    std::set<int> taken;
    for (const CaptionRow& row : captionTable()) {
        EXPECT_FALSE(kFreeLines.contains(row.line)) << "line " << row.line << " is one nobody reads";
        taken.insert(row.line);
    }
    for (int line = 1; line <= kCaptionLineCount; ++line)
        EXPECT_TRUE(taken.contains(line) != kFreeLines.contains(line)) << "line " << line;
}

TEST(CaptionTable, EachControlHasOneLine) {
    std::set<std::string> seen;
    for (const CaptionRow& row : captionTable())
        EXPECT_TRUE(seen.insert(keyOf(row.window, row.control)).second)
            << keyOf(row.window, row.control) << " twice, at line " << row.line;
}

TEST(CaptionTable, PendingControlsAreRowsOfTheTableListedOnce) {
    std::set<std::string> pending;
    for (const CaptionKey& key : pendingCaptions()) {
        const CaptionRow* row = findCaption(key.window, key.control);
        ASSERT_NE(row, nullptr) << keyOf(key.window, key.control);
        EXPECT_TRUE(isCaptionPending(*row));
        EXPECT_NE(row->control, kWindowCaption) << "every window exists: its title is never pending";
        EXPECT_TRUE(pending.insert(keyOf(key.window, key.control)).second) << keyOf(key.window, key.control);
    }
    EXPECT_FALSE(isCaptionPending(*findCaption("Form15", "SpeedButton1")));
}

TEST(CaptionTable, LookupTellsWindowsApartAndKeepsTextsAsTheyAre) {
    EXPECT_EQ(captionOf("Form15", "SpeedButton1"), "Open");
    EXPECT_EQ(captionOf("Form16", "SpeedButton1"), "Modify");
    EXPECT_EQ(captionOf("Form16", kWindowCaption), "Slide...");
    EXPECT_EQ(captionOf("Form7", "SpeedButton1"), QString("Rotate Picture 90") + QChar(0xB0) + " Left");
    EXPECT_EQ(findCaption("Form15", "Language1"), nullptr); // the Languages menu is never translated
}

} // namespace
