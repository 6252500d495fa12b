#include "audio/ogg_pages.h"

#include <gtest/gtest.h>

#include <vector>

#include "media.h"
#include "signal.h"

namespace {

// The pages the walker gives, each checked to follow the one before it.
int CountPages(const std::vector<std::uint8_t>& data, OggPageWalker& pages) {
    OggPage page;
    const std::uint8_t* expected = data.data();
    int count = 0;
    while (pages.Next(&page)) {
        EXPECT_EQ(page.segmentSizes, expected + 27)
            << "page " << count << " is not where it starts";
        const std::uint8_t* end = page.body;
        for (std::size_t i = 0; i < page.segmentCount; ++i) end += page.segmentSizes[i];
        expected = end;
        ++count;
    }
    return count;
}

}  // namespace

TEST(OggPageWalker, GivesEveryWholePageInOrderAndStopsAtACutOrDamagedOne) {
    std::vector<std::uint8_t> whole = ReadBytes(MediaPath(ToneFiles[0].name));
    ASSERT_GT(whole.size(), 4000u);
    OggPageWalker all(whole.data(), whole.size());
    int pageCount = CountPages(whole, all);
    EXPECT_GT(pageCount, 2);
    EXPECT_TRUE(all.ReachedEnd());

    std::vector<std::uint8_t> cut(whole.begin(), whole.end() - 1);
    OggPageWalker shortened(cut.data(), cut.size());
    EXPECT_EQ(CountPages(cut, shortened), pageCount - 1) << "the cut last page was given";
    EXPECT_FALSE(shortened.ReachedEnd());

    std::vector<std::uint8_t> damaged = whole;
    damaged[0] = 'X';
    OggPageWalker none(damaged.data(), damaged.size());
    EXPECT_EQ(CountPages(damaged, none), 0) << "a page without its capture pattern was given";
    EXPECT_FALSE(none.ReachedEnd());
}
