#include "users/RememberedFolder.h"

#include <filesystem>
#include <system_error>

#include "base/Errors.h"
#include "platform/FileStream.h"
#include "platform/FileWriter.h"
#include "platform/Files.h"

namespace users {

std::string rememberedFolderFile() {
  const std::string config = platform::configFolder();
  return config.empty() ? std::string() : config + platform::kPathSeparator + "palm-folder";
}

std::string rememberedPalmFolder() {
  const std::string file = rememberedFolderFile();
  if (file.empty()) return {};
  return platform::readSmallFile(file, kMaxRememberedBytes).value_or("");
}

bool rememberPalmFolder(const std::string& folder) {
  const std::string file = rememberedFolderFile();
  if (file.empty()) return false;
  std::error_code error;
  std::filesystem::create_directories(platform::configFolder(), error);
  try {
    platform::writeFileReplacing(file, [&folder](base::Stream& out) { out.writeBuffer(folder.data(), folder.size()); });
  } catch (const base::Exception&) {
    return false;
  }
  return true;
}

}  // namespace users
