// File names between the file system, which keeps them as bytes, and Qt, which
// holds them as text: a name that is not UTF-8 keeps its bytes.
#pragma once

#include <QString>
#include <string>

class QMimeData;

namespace forms {

// A path that Qt hands back (a file dialog's answer) as the file system's bytes.
// Qt gives a name that is not UTF-8 with U+FFFD in place of its bad bytes; such a
// name stands for the one entry of its folder that reads so, and stays as given
// when no entry or several do.
std::string toFileName(const QString& path);

// The local file that a drop names first (its text/uri-list, percent-decoded to
// bytes; file: URIs without a host or on localhost), or empty.
std::string droppedFileName(const QMimeData* data);

}  // namespace forms
