// Sizing controls to their texts and the ownership of attached objects.
#include "toolkit/autosize.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "toolkit/owned.h"

namespace {

TEST(AutoSize, ExtrasAddToTheMeasuredTextOnlyInDimensionsTheAlignmentLeavesFree) {
    const AutoSizeExtras label{1, 1}, button{14, 0}, edit{0, 6};
    const Size text{40, 13}, current{100, 22};
    EXPECT_EQ(AutoSizedSize(Align::None, label, text, current), (Size{41, 14}));
    EXPECT_EQ(AutoSizedSize(Align::None, button, text, current), (Size{54, 22}));
    EXPECT_EQ(AutoSizedSize(Align::None, edit, text, current), (Size{100, 19}));
    EXPECT_EQ(AutoSizedSize(Align::Top, label, text, current), (Size{100, 14}));   // width stretched
    EXPECT_EQ(AutoSizedSize(Align::Left, label, text, current), (Size{41, 22}));   // height stretched
    EXPECT_EQ(AutoSizedSize(Align::Client, label, text, current), current);
}

TEST(AutoSize, EmptyLabelShrinksToOnePixelAndItalicTextIsPaddedWithASpace) {
    EXPECT_EQ(AutoSizedSize(Align::None, {1, 1}, {0, 0}, {100, 22}), (Size{1, 1}));
    EXPECT_EQ(AutoSizeText("Далее", true), "Далее ");
    EXPECT_EQ(AutoSizeText("Далее", false), "Далее");
}

struct Recorder {
    std::string* log;
    char name;
    ~Recorder() { *log += name; }
};

TEST(OwnedObjects, AreDestroyedMostRecentlyAttachedFirst) {
    std::string log;
    {
        OwnedList owned;
        owned.Attach(std::unique_ptr<Recorder>(new Recorder{&log, 'a'}));
        owned.Attach(std::unique_ptr<Recorder>(new Recorder{&log, 'b'}));
        owned.Attach(std::make_unique<int>(5));  // any type can be owned
        owned.Attach(std::unique_ptr<Recorder>(new Recorder{&log, 'c'}));
        EXPECT_EQ(log, "");
    }
    EXPECT_EQ(log, "cba");
}

}  // namespace
