#include "cli/StandardInput.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "base/Errors.h"
#include "cli/Messages.h"
#include "platform/Files.h"

namespace cli {

namespace {

constexpr const char* kStandardInput = "-";

// The first bytes of a longer input, which reports its whole length as its size.
class InputHead : public base::Stream {
 public:
  InputHead(std::vector<uint8_t> head, int64_t length) : head_(std::move(head)), length_(length) {}

  size_t read(void* buffer, size_t count) override {
    const int64_t available = std::max<int64_t>(0, static_cast<int64_t>(head_.size()) - position_);
    const size_t n = static_cast<size_t>(std::min<int64_t>(available, static_cast<int64_t>(count)));
    if (n > 0) std::memcpy(buffer, head_.data() + position_, n);
    position_ += static_cast<int64_t>(n);
    return n;
  }
  size_t write(const void*, size_t) override { return 0; }
  int64_t seek(int64_t offset, base::SeekOrigin origin) override {
    const int64_t from = origin == base::SeekOrigin::Begin ? 0 : origin == base::SeekOrigin::Current ? position_ : length_;
    position_ = std::max<int64_t>(0, from + offset);
    return position_;
  }
  int64_t size() override { return length_; }

 private:
  std::vector<uint8_t> head_;
  int64_t length_;
  int64_t position_ = 0;
};

std::unique_ptr<base::Stream> readStandardInput() {
  platform::setBinaryMode(stdin);
  std::vector<uint8_t> head;
  int64_t length = 0;
  std::vector<uint8_t> buffer(size_t{1} << 16);
  while (const size_t n = std::fread(buffer.data(), 1, buffer.size(), stdin)) {
    const size_t keep = static_cast<size_t>(std::clamp<int64_t>(album::kMostBytesRead - length, 0, static_cast<int64_t>(n)));
    head.insert(head.end(), buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(keep));
    length += static_cast<int64_t>(n);
  }
  if (std::ferror(stdin)) throw base::EReadError();
  return std::make_unique<InputHead>(std::move(head), length);
}

}  // namespace

void checkStandardInputIfNamed(const Args& paths) {
  if (std::find(paths.begin(), paths.end(), kStandardInput) != paths.end() && platform::isTerminal(stdin))
    throw UsageError(msg::StdinIsTerminal);
}

std::unique_ptr<album::PictureDatabase> openDatabase(const std::string& path) {
  if (path == kStandardInput) return std::make_unique<album::PictureDatabase>(readStandardInput());
  return std::make_unique<album::PictureDatabase>(path);
}

}  // namespace cli
