#include "album/AlbumPage.h"

#include <optional>

#include "album/AlbumWeb.h"
#include "album/PictureDate.h"
#include "base/Text.h"

namespace album {

namespace {

std::string plural(size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

// A name from inside a file (Windows-1252) as page text.
std::string nameText(const std::string& ansi) { return htmlEscaped(base::escapeControls(base::cp1252ToUtf8(ansi))); }
// A shown name (UTF-8) as page text.
std::string shownText(const std::string& utf8) { return htmlEscaped(base::escapeControls(utf8)); }

// The picture's file as the page links it: its folder and name, from file-system names.
std::string pictureUrl(const AlbumSection& section, const AlbumPicture& picture) {
  return htmlEscaped(urlPath(base::fileNameToUtf8(section.folder) + "/" + base::fileNameToUtf8(picture.fileName)));
}

std::optional<int> yearOf(const AlbumPicture& picture) {
  const auto drawn = picture.drawn();
  if (!drawn) return std::nullopt;
  return civilTime(*drawn).year;
}

// The figure of picture j (1-based) of child c: its thumbnail, its caption and
// the links of its large view.
void appendPicture(std::string& page, const AlbumSection& section, size_t c, size_t j) {
  const AlbumPicture& picture = section.pictures[j - 1];
  const std::string id = std::to_string(c) + "-" + std::to_string(j);
  const std::string name = nameText(picture.name);
  const bool large = picture.size == PictureSize::Large;
  page += "<figure class=\"picture";
  page += large ? " large" : "";
  page += "\" id=\"p" + id + "\"><a class=\"thumb\" id=\"t" + id + "\" href=\"#p" + id + "\"><img src=\"" +
          pictureUrl(section, picture) + "\" width=\"" + std::to_string(pictureWidth(picture.size)) +
          "\" height=\"" + std::to_string(pictureHeight(picture.size)) + "\" alt=\"" + name +
          "\" loading=\"lazy\"></a>\n<figcaption class=\"caption\"><span class=\"name\">" + name + "</span> ";
  if (const auto drawn = picture.drawn())
    page += "<time datetime=\"" + isoDate(*drawn) + "\">" + longDate(*drawn) + "</time>";
  else
    page += "<span class=\"undated\">undated</span>";
  page += "</figcaption>\n<nav class=\"step\" aria-label=\"Pictures\">";
  std::string prefix = "p";
  prefix += std::to_string(c) + "-";
  if (j > 1) page += "<a class=\"prev\" href=\"#" + prefix + std::to_string(j - 1) + "\" aria-label=\"Previous picture\">&#8249;</a>";
  page += "<a class=\"close\" href=\"#t" + id + "\" aria-label=\"Back to the album\">&#215;</a>";
  if (j < section.pictures.size())
    page += "<a class=\"next\" href=\"#" + prefix + std::to_string(j + 1) + "\" aria-label=\"Next picture\">&#8250;</a>";
  page += "</nav></figure>\n";
}

// How many pictures from `first` on were drawn in the same year as it.
size_t sameYear(const std::vector<AlbumPicture>& pictures, size_t first) {
  size_t n = first + 1;
  while (n < pictures.size() && yearOf(pictures[n]) == yearOf(pictures[first])) ++n;
  return n - first;
}

void appendSection(std::string& page, const AlbumSection& section, size_t c) {
  std::string id = "c";
  id += std::to_string(c);
  page += "<section class=\"child\" id=\"" + id + "\" aria-labelledby=\"" + id + "-name\">\n<h2 id=\"" + id +
          "-name\">" + shownText(section.name) + " <span class=\"count\">" +
          plural(section.pictures.size(), "picture", "pictures") + "</span></h2>\n";
  if (!section.leftOut.empty()) {
    page += "<div class=\"left-out\">\n<h3>Left out</h3>\n<ul>\n";
    for (const std::string& line : section.leftOut) page += "<li>" + shownText(line) + "</li>\n";
    page += "</ul>\n</div>\n";
  }
  for (size_t first = 0; first < section.pictures.size();) {
    const size_t count = sameYear(section.pictures, first);
    const auto year = yearOf(section.pictures[first]);
    const std::string label = year ? std::to_string(*year) : "Undated";
    page += "<h3 class=\"year\" id=\"" + id + "-" + (year ? label : "undated") + "\">" + label +
            " <span class=\"count\">" + plural(count, "picture", "pictures") + "</span></h3>\n<div class=\"pictures\">\n";
    for (size_t j = first + 1; j <= first + count; ++j) appendPicture(page, section, c, j);
    page += "</div>\n";
    first += count;
  }
  page += "</section>\n";
}

}  // namespace

std::string htmlEscaped(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (char ch : utf8) {
    switch (ch) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += ch;
    }
  }
  return out;
}

std::string urlPath(std::string_view path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (char ch : path) {
    const auto c = static_cast<unsigned char>(ch);
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                       c == '.' || c == '_' || c == '~' || c == '/';
    if (plain) {
      out += ch;
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

std::string albumPage(const std::vector<AlbumSection>& sections) {
  std::string page =
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
      "<title>Quillory Album</title>\n<style>\n";
  page += albumStyleSheet();
  page += "</style>\n</head>\n<body>\n<a class=\"skip\" href=\"#album\">Skip to the pictures</a>\n"
          "<header>\n<h1>Quillory Album</h1>\n<nav aria-label=\"Children\">\n<ul class=\"children\">\n";
  for (size_t c = 1; c <= sections.size(); ++c)
    page += "<li><a href=\"#c" + std::to_string(c) + "\">" + shownText(sections[c - 1].name) + "</a> <span class=\"count\">" +
            std::to_string(sections[c - 1].pictures.size()) + "</span></li>\n";
  page += "</ul>\n</nav>\n</header>\n<main id=\"album\">\n";
  for (size_t c = 1; c <= sections.size(); ++c) appendSection(page, sections[c - 1], c);
  page += "</main>\n<script>\n";
  page += albumScript();
  page += "</script>\n</body>\n</html>\n";
  return page;
}

}  // namespace album
