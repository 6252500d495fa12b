#include <gtest/gtest.h>

#include <string>

#include "packs/scene/caption.h"

TEST(Caption, BytesOutsideTheFontShowAsQuestionMarks) {
    Caption caption;
    caption.Set(
        "Espa\xc3\xb1"
        "a\t\x01\x7f!");
    EXPECT_STREQ(caption.GetText(), "Espa\?\?a\?\?\?!");
    EXPECT_GT(caption.GetQuadCount(), 0);
    EXPECT_GT(caption.GetWidth(), 0);
}

TEST(Caption, LongTextIsCutAndEmptyTextDrawsNothing) {
    Caption caption;
    std::string longText(1000, 'W');
    caption.Set(longText.c_str());
    EXPECT_EQ(std::string(caption.GetText()), longText.substr(0, Caption::MaxText));
    int fullQuads = caption.GetQuadCount();
    EXPECT_GT(fullQuads, Caption::MaxText);

    caption.Set("");
    EXPECT_EQ(caption.GetQuadCount(), 0);
    EXPECT_EQ(caption.GetWidth(), 0);
    caption.Set("level 3 of 5");
    int quads = caption.GetQuadCount();
    int layouts = caption.GetLayoutCount();
    caption.Set("level 3 of 5");
    EXPECT_EQ(caption.GetQuadCount(), quads);
    EXPECT_EQ(caption.GetLayoutCount(), layouts) << "the same text again is not laid out again";
    caption.Set(longText.c_str());
    caption.Set(longText.c_str());
    EXPECT_EQ(caption.GetLayoutCount(), layouts + 1) << "nor is the same text cut the same way";
    caption.Set("level 4 of 5");
    EXPECT_STREQ(caption.GetText(), "level 4 of 5");
    EXPECT_EQ(caption.GetLayoutCount(), layouts + 2);
}
