#include "foundation/string.h"

#include <gtest/gtest.h>

#include <string>

#include "foundation/memory_stream.h"
#include "test_support.h"

TEST(String, DefaultIsEmptyWithTenSlots) {
    String s;
    EXPECT_STREQ("", s.GetText());
    EXPECT_EQ(0, s.GetLength());
    EXPECT_EQ(1, s.text.count);
    EXPECT_EQ(10, s.text.capacity);
    EXPECT_EQ(34, s.GetSize());
    MemoryStream stream;
    s.Write(stream);
    EXPECT_EQ(0, stream.length) << "an empty String writes no bytes";
}

TEST(String, AssignFitsStorageAndAppendGrowsByFactor) {
    String s;
    s.Assign("");
    EXPECT_EQ(1, s.text.count);
    EXPECT_EQ(1, s.text.capacity);
    EXPECT_EQ(25, s.GetSize());
    s.Assign("a much longer text than ten");
    s.Assign("abc");
    EXPECT_STREQ("abc", s.GetText());
    EXPECT_EQ(4, s.text.count);
    EXPECT_EQ(4, s.text.capacity) << "a shorter text shrinks the storage to fit";
    s.Append('d');
    EXPECT_STREQ("abcd", s.GetText());
    EXPECT_EQ(5, s.text.count);
    EXPECT_EQ(40, s.text.capacity);

    String grown;
    for (int i = 0; i < 9; ++i) grown.Append('x');
    EXPECT_EQ(10, grown.text.capacity) << "nine characters and the NUL fit in ten";
    grown.Append('x');
    EXPECT_EQ(100, grown.text.capacity);
    EXPECT_EQ(10, grown.GetLength());
}

TEST(String, CopiesAreIndependentAndFitted) {
    String original;
    original.Assign("plugin");
    String copy(original);
    EXPECT_EQ(7, copy.text.count);
    EXPECT_EQ(7, copy.text.capacity);
    copy.Append('s');
    EXPECT_STREQ("plugin", original.GetText());
    String assigned;
    assigned = copy;
    EXPECT_STREQ("plugins", assigned.GetText());
    EXPECT_EQ(8, assigned.text.capacity);

    String self;
    self.Assign("abc");
    self.Append('d');
    self = self;
    EXPECT_STREQ("abcd", self.GetText());
    EXPECT_EQ(5, self.text.capacity) << "assignment fits the storage even onto itself";
}

TEST(String, FormattedConstructionSubstitutesAndTruncates) {
    String s("Plugin %s not found (%d)", "OpenGLInit", 3);
    EXPECT_STREQ("Plugin OpenGLInit not found (3)", s.GetText());
    EXPECT_EQ(s.GetLength() + 1, s.text.capacity);
    std::string longText(3000, 'y');
    String cut("%s", longText.c_str());
    EXPECT_EQ(1023, cut.GetLength());
    EXPECT_EQ(1024, cut.text.capacity);
}

TEST(String, AppendingNulLeavesTextAndRaisesCount) {
    String s;
    s.Assign("ab");
    s.Append('\0');
    EXPECT_STREQ("ab", s.GetText());
    EXPECT_EQ(2, s.GetLength());
    EXPECT_EQ(4, s.text.count) << "count may run past the NUL";
}

TEST(String, CompareUsesUnsignedBytes) {
    String s;
    s.Assign("abc");
    EXPECT_EQ(0, s.Compare("abc"));
    EXPECT_EQ(-1, s.Compare("abd"));
    EXPECT_EQ(1, s.Compare("ab")) << "longer than its own proper prefix";
    EXPECT_EQ(-1, s.Compare("abcd")) << "a proper prefix is smaller";
    EXPECT_EQ(-1, s.Compare("\xE9")) << "0xE9 is above every ASCII letter";
    String accented;
    accented.Assign("\xE9t\xE9");
    EXPECT_EQ(1, accented.Compare("zzz"));
    EXPECT_EQ(-1, accented.Compare("\xE9t\xFF"));
}

TEST(String, CompareNoCaseFoldsAsciiLettersOnly) {
    String s;
    s.Assign("int");
    EXPECT_EQ(0, s.CompareNoCase("INT"));
    EXPECT_NE(0, s.Compare("INT"));
    EXPECT_EQ(0, s.CompareNoCase("iNt"));
    EXPECT_LT(s.CompareNoCase("INTEGER"), 0);
    String upper;
    upper.Assign("A");
    EXPECT_GT(upper.CompareNoCase("["), 0) << "'A' is compared as 'a', which is above '['";
    String accented;
    accented.Assign("\xC9");
    EXPECT_NE(0, accented.CompareNoCase("\xE9")) << "bytes above 127 are not folded";
    EXPECT_GT(accented.CompareNoCase("Z"), 0) << "0xC9 compares unsigned, above 'z'";

    // The first and last letters fold; '@' '[' beside the capitals and '`' '{'
    // beside the small letters are no letters and keep their own places.
    const struct {
        const char* a;
        const char* b;
        int sign;
    } ends[] = {
        {"AZ", "az", 0}, {"az", "AZ", 0}, {"@", "`", -1}, {"`", "@", 1},  {"[", "{", -1},
        {"{", "[", 1},   {"@", "A", -1},  {"`", "A", -1}, {"[", "Z", -1}, {"{", "Z", 1},
    };
    for (const auto& c : ends) {
        String text;
        text.Assign(c.a);
        int result = text.CompareNoCase(c.b);
        EXPECT_EQ(c.sign, (result > 0) - (result < 0)) << c.a << " against " << c.b;
    }
}

TEST(String, ReadTakesEveryByteToTheEndAndDropsNul) {
    MemoryStream stream;
    Fill(stream, std::string("ab\0c", 4));
    String s;
    s.Assign("old text");
    s.Read(stream);
    EXPECT_STREQ("abc", s.GetText());
    EXPECT_TRUE(stream.IsEOF());

    stream.Clear();
    s.Read(stream);
    EXPECT_STREQ("", s.GetText()) << "an empty stream empties the text";
}
