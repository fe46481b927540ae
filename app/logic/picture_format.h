// The picture types "Save window content" writes, and which one a save
// takes: the extension the user typed, else the type chosen in the dialog.
#pragma once

#include <string>

enum class PictureFormat { emf, svg, png };

// The format of a save: a typed extension .emf, .svg or .png (any case)
// decides; otherwise the dialog's type index (1-based, in the order of its
// filter list: 1 metafile, 2 SVG, 3 PNG; anything else, such as "All
// Files" at 4, is the metafile).
PictureFormat PictureFormatFor(int filter_index, const std::string& path);

// The file's extension for the format, with its dot.
const char* PictureExtension(PictureFormat format);

// The path the picture is written to: the path itself when its last
// component has an extension, otherwise the path with the format's extension.
std::string PicturePath(const std::string& path, PictureFormat format);
