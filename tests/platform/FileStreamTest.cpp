#include <gtest/gtest.h>

#include "TestSupport.h"
#include "base/Errors.h"
#include "platform/FileStream.h"

using platform::FileMode;
using platform::FileStream;

TEST(FileStream, ExclusiveOpenKeepsOthersOutUntilClosed) {
  testsupport::TempFolder folder;
  const std::string path = (folder.path() / "QuilloryPic1.pdb").string();
  testsupport::writeFile(path, "abc");
  {
    FileStream first(path, FileMode::OpenReadExclusive);
    try {
      FileStream second(path, FileMode::OpenReadExclusive);
      FAIL() << "a second exclusive open succeeded";
    } catch (const base::EFOpenError& e) {
      EXPECT_EQ(e.path(), path);
      EXPECT_FALSE(e.reason().empty());
    }
    char bytes[3];
    first.readBuffer(bytes, 3);
    EXPECT_EQ(std::string(bytes, 3), "abc");
  }
  EXPECT_NO_THROW(FileStream(path, FileMode::OpenReadExclusive));
}
