#include <gtest/gtest.h>

#include "base/Errors.h"
#include "platform/FileStream.h"
#include "platform/Files.h"
#include "support/TestSupport.h"

using platform::FileMode;
using platform::FileStream;

TEST(FileStream, ExclusiveOpenKeepsOthersOutUntilClosed) {
  testsupport::TempDir folder;
  const std::string path = (folder.root() / "QuilloryPic1.pdb").string();
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

TEST(FileStream, RefusesADeviceAtOnce) {
#ifdef _WIN32
  const std::string device = "NUL";
#else
  const std::string device = "/dev/null";
#endif
  try {
    FileStream stream(device, FileMode::OpenRead);
    FAIL() << "a device was opened as a file";
  } catch (const base::EFOpenError& e) {
    EXPECT_EQ(e.reason(), platform::kNotRegularFile);
  }
}
