// The demo album: children's pictures as picture databases, each at both sizes.
#pragma once

#include <string>
#include <vector>

#include "tools/demo-album/Canvas.h"

namespace demo {

struct DemoDrawing {
  const char* title;
  void (*draw)(Canvas&);
};

const std::vector<DemoDrawing>& demoDrawings();

struct DemoDatabase {
  std::string fileName;  // e.g. "QuilloryPicSun.pdb"
  std::vector<uint8_t> bytes;
};

// Every drawing at 160 x 140 ("QuilloryPic<Title>") and at 320 x 280
// ("QuilloryPic<Title>Large").
std::vector<DemoDatabase> demoDatabases();

// Writes the demo databases into an existing folder; returns their paths.
std::vector<std::string> writeDemoAlbum(const std::string& folder);

}  // namespace demo
