// The letters menu entries are reached by: each its own, first letters first.
#include "lang/mnemonics.h"

#include <gtest/gtest.h>

namespace {

TEST(Mnemonics, EachCaptionTakesTheFirstLetterFreeFirstOfItsWords) {
    const struct {
        const char* name;
        QStringList captions;
        QStringList marked;
    } cases[] = {
        {"first letters", {"Files", "Edit", "Options"}, {"&Files", "&Edit", "&Options"}},
        {"a later word", {"Print", "Print preview", "Printer setup"}, {"&Print", "P&rint preview", "Printer &setup"}},
        {"case does not tell letters apart", {"gallery", "Gradient"}, {"&gallery", "G&radient"}},
        {"an ampersand stays one", {"Save & quit", "&"}, {"&Save && quit", "&&"}},
        {"no letter left", {"a", "A"}, {"&a", "A"}},
        {"earlier captions move over", {"Ab", "Bc", "A"}, {"A&b", "B&c", "&A"}},
        {"letters beyond ASCII", {"Öffnen", "Ölfarbe"}, {"&Öffnen", "Ö&lfarbe"}},
        {"digits count", {"1:1", "1 page"}, {"&1:1", "1 &page"}},
    };
    for (const auto& each : cases) {
        EXPECT_EQ(withMnemonics(each.captions), each.marked) << each.name;
        for (qsizetype i = 0; i < each.captions.size(); ++i)
            EXPECT_EQ(plainCaption(each.marked[i]), each.captions[i]) << each.name;
    }
}

TEST(Mnemonics, TheMarkIsReadAsQtReadsIt) {
    EXPECT_EQ(mnemonicOf(QStringLiteral("P&rint")), QLatin1Char('r'));
    EXPECT_EQ(mnemonicOf(QStringLiteral("Save && &Quit")), QLatin1Char('q'));
    EXPECT_TRUE(mnemonicOf(QStringLiteral("Save && quit")).isNull());
    EXPECT_TRUE(mnemonicOf(QStringLiteral("trailing&")).isNull());
    EXPECT_EQ(plainCaption(QStringLiteral("trailing&")), "trailing&");
}

} // namespace
