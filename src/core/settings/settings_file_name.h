#pragma once

#include <string>
#include <string_view>

namespace tlx {

// The extension rule of every save-as: the extension is appended unless the
// path already holds it, case-sensitively, at some position after its first
// character. The whole path is searched, folders included, so "abc.dat" and
// "x.dat.bak" stay as they are while "ABC.DAT" becomes "ABC.DAT.dat".
std::string withFileExtension(std::string path, std::string_view extension);

} // namespace tlx
