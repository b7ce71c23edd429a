// Reading a picture database: a Palm database (PDB) whose name begins with
// "QuilloryPic" and whose pixel bytes follow the record list.
//
// The decoding runs in steps, so that a window can update itself between them:
// open (which reads the name), the name check, the record count and the
// picture size, then decodeInto and, once the file is closed, FlipBitmapVertical.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "album/Messages.h"
#include "album/PictureTemplate.h"
#include "base/Bitmap.h"
#include "base/Errors.h"
#include "base/Stream.h"

namespace album {

inline constexpr const char* kPictureNamePrefix = "QuilloryPic";
// The file names of picture databases in a backup folder.
inline constexpr const char* kPictureFilePattern = "QuilloryPic*.pdb";

// The file is larger than this for a 320 x 280 picture.
inline constexpr int64_t kSmallPictureFileLimit = 22500;

PictureSize pictureSizeForFile(int64_t fileSize);

// Decoding reads no byte past this many from the start: the pixels of the
// largest picture after the longest record list (65535 entries and the gap).
inline constexpr int64_t kMostBytesRead =
    80 + 8 * int64_t{65535} + int64_t{pictureWidth(PictureSize::Large)} * pictureHeight(PictureSize::Large);

class PictureDatabase {
 public:
  // Opens the file for reading with no sharing and reads its name field.
  // Raises "Cannot open file "%s". %s" when it cannot be opened.
  explicit PictureDatabase(const std::string& path);
  // Reads a database held in any stream (positioned anywhere).
  explicit PictureDatabase(std::unique_ptr<base::Stream> stream);
  ~PictureDatabase();
  PictureDatabase(const PictureDatabase&) = delete;
  PictureDatabase& operator=(const PictureDatabase&) = delete;

  // The bytes of the 32-byte name field before its first zero byte.
  const std::string& name() const { return name_; }
  // True when the name field begins with "QuilloryPic", case included.
  bool hasPictureName() const;

  int64_t fileSize() const { return fileSize_; }
  // The header's creation and modification dates as stored (Palm seconds,
  // see PictureDate.h); 0 when the file is too short to hold them.
  uint32_t creationDate() const;
  uint32_t modificationDate() const;
  // The header's type and creator codes (four characters each); empty when missing.
  std::string type() const;
  std::string creator() const;
  // The record count n at offset 76 (big-endian); raises "Stream read error"
  // when the file is too short to hold it.
  uint16_t recordCount() const;
  // Where the pixel bytes begin: after the n record entries and a 2-byte gap.
  int64_t pixelOffset() const;
  PictureSize pictureSize() const { return pictureSizeForFile(fileSize_); }
  // The pixel bytes the file holds. Raises the stream error that decoding
  // raises when the file ends before the pixel offset.
  int64_t pixelByteCount() const;

  // Puts the picture into `target`: the template of the picture's size with the
  // file's pixel bytes laid over its pixel area from the first stored row on,
  // so the picture comes out upside down. Missing pixels stay index 0; surplus
  // bytes are ignored. `target` is left alone when the file is too short, and
  // emptied when reading its pixels fails.
  void decodeInto(base::Bitmap& target);

  // Closes the file; the values already read stay available.
  void close();

 private:
  PictureDatabase(std::unique_ptr<base::Stream> stream, bool atStart);
  void readHeader(bool atStart);

  std::unique_ptr<base::Stream> stream_;
  std::string name_;
  bool namePrefixMatches_ = false;
  int64_t fileSize_ = 0;
  // The file's first bytes: the 78-byte header, and for a one-record database
  // its record entry and gap too, so that its pixels follow without a seek.
  uint8_t header_[88] = {};
  size_t headerLength_ = 0;  // how much of it the file holds
};

// Reverses the row order of a bitmap in place, keeping every palette index,
// the size, the palette and the header fields.
void FlipBitmapVertical(base::Bitmap& bitmap);

// What a caller does between the steps of decoding: a window shows the
// picture's title and makes room for it as soon as these are known.
struct DecodeSteps {
  std::function<void()> nameChecked;           // the name is a picture name
  std::function<void(PictureSize)> sizeKnown;  // the record count is read
};

// The one decoding of an open database into an upright picture: the name
// check, the record count and size, the pixels, closing the file, the flip.
// Returns false, decoding nothing, when the name check fails; raises the
// stream errors of a file that ends early.
bool decodeDatabase(PictureDatabase& database, base::Bitmap& picture, const DecodeSteps& steps = {});

// The same for the database file at `path`; raises the platform's errors when
// it cannot be opened or read.
bool decodePictureDatabase(const std::string& path, base::Bitmap& picture);

// The whole decoding of one database file into an upright picture. Raises
// "Invalid database file!" (album::EInvalidDatabase) when the name check fails.
base::Bitmap decodePicture(const std::string& path);
// The same into an existing bitmap, whose memory is reused when it has the size
// already: the way to decode many pictures one after another.
void decodePicture(const std::string& path, base::Bitmap& into);
// The same for a database held in memory.
base::Bitmap decodePicture(const void* bytes, size_t count);

class EInvalidDatabase : public base::Exception {
 public:
  EInvalidDatabase() : base::Exception(msg::InvalidDatabase) {}
};

}  // namespace album
