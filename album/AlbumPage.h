// The text of the web album's page, index.html: a section per child with its
// pictures under a heading per year, the large view of a picture, and the
// style sheet and script compiled into the program.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "album/AlbumPictures.h"

namespace album {

// One child's part of the page.
struct AlbumSection {
  std::string name;                    // the child's name as shown (UTF-8)
  std::string folder;                  // the folder of the child's pictures beside the page
  std::vector<AlbumPicture> pictures;  // in the order shown, each with its file name
  std::vector<std::string> leftOut;    // why pictures are missing, one UTF-8 line each
};

// The whole page. Every text from files and folder names is escaped.
std::string albumPage(const std::vector<AlbumSection>& sections);

// UTF-8 text with the characters that mean something in HTML as references.
std::string htmlEscaped(std::string_view utf8);
// A relative path (names joined by '/') as a URL path: every byte other than
// letters, digits, '-', '.', '_', '~' and '/' written as %XX.
std::string urlPath(std::string_view path);

}  // namespace album
