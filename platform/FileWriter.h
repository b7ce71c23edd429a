// The one way the programs write a file: the content goes to a fresh temporary
// file in the target's folder (created exclusively, never through a symlink),
// is flushed to disk, and only then takes the target's name. A failed,
// interrupted or killed write leaves the old file or the new one under the
// name, never a cut one. Errors name the target, never the temporary file:
// "Cannot create file "<absolute target>". <cause>".
//
// On POSIX a replacing write follows a symlink named as the target and
// replaces the file it leads to, in that file's folder, keeping the link; a
// FIFO or character device is written through in place; a folder, socket or
// block device is refused. Names are given relative to the open folder, so a
// working folder of any depth works.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "base/Stream.h"

namespace platform {

using WriteContent = std::function<void(base::Stream&)>;

class FileWriter {
 public:
  enum class Purpose {
    Replace,  // the target may exist and is replaced in one step
    NewName,  // the file takes a name that nobody has yet
  };

  // Creates the temporary file in the folder of `target` (for Replace, of the
  // file a symlink leads to). A folder that refuses new files fails the write,
  // whatever the target's own permissions. On POSIX, the first writer of a
  // process in a folder removes the temporary files there that a killed
  // process left.
  FileWriter(const std::string& target, Purpose purpose);
  // Removes the temporary file unless it was given its name.
  ~FileWriter();
  FileWriter(const FileWriter&) = delete;
  FileWriter& operator=(const FileWriter&) = delete;

  // Writes the whole content.
  void write(const WriteContent& content);
  // Replace: flushes the written file to disk and puts it under the target's
  // name, keeping an old file's permission bits where the file system has
  // them, and syncs the folder.
  void replaceTarget();
  // NewName: gives the written file the name `path` (in the target's folder)
  // unless that name is taken; false when it is, and the file may then be
  // offered another name. On POSIX the name is given by a hard link, else a
  // non-replacing rename, else (FAT, exFAT) a rename under a lock on the
  // folder that this program's writers share. The folder is not synced: call syncFolder once the
  // batch of names is given.
  bool takeNewName(const std::string& path);
  // NewName, for many files made durable together: finishes the written file
  // without flushing it (on POSIX it stays open, and held, until named); flushBatch then
  // flushes all such files with one call. A file that takes its name before a
  // flushBatch is flushed on its own first.
  void closeForBatch();

  class Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

// Writes `path` whole, replacing an existing file as FileWriter does.
void writeFileReplacing(const std::string& path, const WriteContent& content);

// Flushes every file closed by closeForBatch so far to disk (syncfs of the
// folder's file system on Linux; elsewhere each file was flushed as it closed).
void flushBatch(const std::string& folder);

// Makes the names given in `folder` durable (fsync of the folder; nothing on Windows).
void syncFolder(const std::string& folder);

// Removes the temporary files being written when the process is ended by
// SIGINT, SIGTERM, SIGHUP or SIGPIPE (a closed pipe on standard error), then
// ends it as the signal would have; a write beyond the file-size limit fails
// with an error instead of ending the process.
void removeTemporaryFilesOnSignals();

}  // namespace platform
