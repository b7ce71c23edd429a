#include <gtest/gtest.h>

#include "base/Checked.h"
#include "base/Errors.h"
#include "base/Stream.h"

using namespace base;

TEST(MemoryStream, ReadsWritesAndRaisesPlatformTexts) {
  MemoryStream s;
  s.writeU32LE(0x04B2FDB6);
  s.writeU16LE(0x1234);
  EXPECT_EQ(s.size(), 6);
  EXPECT_EQ(s.bytes()[0], 0xB6);
  s.setPosition(0);
  EXPECT_EQ(s.readU32LE(), 0x04B2FDB6u);
  EXPECT_EQ(s.readU16LE(), 0x1234);
  try {
    s.readU8();
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_STREQ(e.what(), "Stream read error");
  }
  // Seeking before the start clamps to 0; writing past the end grows the stream.
  EXPECT_EQ(s.seek(-10, SeekOrigin::Current), 0);
  s.setPosition(10);
  s.writeU8(7);
  EXPECT_EQ(s.size(), 11);
  EXPECT_EQ(s.bytes()[8], 0);
}

TEST(Errors, FormatsMessagesAndChecksArithmetic) {
  EXPECT_EQ(formatMessage("Cannot open file \"%s\". %s", {"a.pdb", "Gone."}), "Cannot open file \"a.pdb\". Gone.");
  EXPECT_EQ(EListError(-3).what(), std::string("List index out of bounds (-3)"));
  EXPECT_EQ(formatMessage("100%% %d", {"5"}), "100% 5");
  EXPECT_EQ(checkedAdd<int32_t>(1, 2), 3);
  EXPECT_THROW(checkedAdd<int32_t>(INT32_MAX, 1), EIntOverflow);
  EXPECT_THROW(checkedSub<int32_t>(INT32_MIN, 1), EIntOverflow);
  EXPECT_THROW((checkedCast<uint16_t>(70000)), EIntOverflow);
  try {
    checkedMul<int32_t>(1 << 20, 1 << 12);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Integer overflow");
  }
}
