// The time a picture file takes from its database's header dates.
#include <gtest/gtest.h>

#include <optional>

#include "album/PictureDate.h"

namespace {

constexpr int64_t kNow = 1700000000;            // 2023-11-14
constexpr uint32_t kFrom1904 = 2082844800u;     // 1970-01-01 counted from 1904-01-01

}  // namespace

TEST(PictureDate, TakesTheModificationElseTheCreationDateWithinSaneYears) {
  struct Case {
    uint32_t created, modified;
    std::optional<int64_t> time;
  };
  const Case cases[] = {
      {kFrom1904 + 1000000000u, kFrom1904 + 1100000000u, 1100000000},  // high bit: from 1904
      {1000000000u, 1100000000u, 1100000000},                          // no high bit: from 1970
      {kFrom1904 + 1000000000u, 0, 1000000000},                        // no modification date
      {0, 0, std::nullopt},
      {kFrom1904 + 800000000u, 0, std::nullopt},         // 1995
      {kFrom1904 + 820454400u, 0, 820454400},            // 1996-01-01 exactly
      {0, kFrom1904 + kNow + 1, std::nullopt},           // the future
      {0, kFrom1904 + kNow, kNow},
      {kFrom1904 + 1000000000u, 5u, std::nullopt},       // a modification date of 1970 is not used
  };
  for (const Case& c : cases)
    EXPECT_EQ(album::pictureFileTime(c.created, c.modified, kNow), c.time) << c.created << " " << c.modified;
}
