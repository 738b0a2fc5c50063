// The letters menu entries are reached by: each its own, first letters first.
#include "lang/mnemonics.h"

#include <gtest/gtest.h>

TEST(Mnemonics, EachCaptionTakesAFreeLetterFirstLettersFirst) {
    const struct {
        const char* name;
        QStringList captions;
        QStringList marked;
    } cases[] = {
        {"first letters", {"Files", "Edit"}, {"&Files", "&Edit"}},
        {"a later word",
         {"Print", "Print preview", "Printer setup"},
         {"&Print", "P&rint preview", "Printer &setup"}},
        {"case does not tell letters apart", {"gallery", "Gradient"}, {"&gallery", "G&radient"}},
        {"earlier captions move over", {"Ab", "Bc", "A"}, {"A&b", "B&c", "&A"}},
        {"an ampersand stays one", {"Save & quit", "&"}, {"&Save && quit", "&&"}},
        {"no letter left", {"a", "A"}, {"&a", "A"}},
        {"letters beyond ASCII and digits", {"Öffnen", "Ölfarbe", "1:1"}, {"&Öffnen", "Ö&lfarbe", "&1:1"}},
    };
    for (const auto& each : cases) {
        EXPECT_EQ(withMnemonics(each.captions), each.marked) << each.name;
        for (qsizetype i = 0; i < each.captions.size(); ++i)
            EXPECT_EQ(plainCaption(each.marked[i]), each.captions[i]) << each.name;
    }
}
