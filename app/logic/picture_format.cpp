#include "app/logic/picture_format.h"

#include <cctype>
#include <cstddef>

namespace {

// The extension of the path's last component, dot included, or "".
std::string ExtensionOf(const std::string& path) {
    const std::size_t name = path.find_last_of("\\/:");
    const std::size_t start = name == std::string::npos ? 0 : name + 1;
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < start) return "";
    std::string ext = path.substr(dot);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

}  // namespace

const char* PictureExtension(PictureFormat format) {
    switch (format) {
        case PictureFormat::svg: return ".svg";
        case PictureFormat::png: return ".png";
        case PictureFormat::emf: break;
    }
    return ".emf";
}

PictureFormat PictureFormatFor(int filter_index, const std::string& path) {
    const std::string ext = ExtensionOf(path);
    for (PictureFormat format : {PictureFormat::emf, PictureFormat::svg, PictureFormat::png}) {
        if (ext == PictureExtension(format)) return format;
    }
    if (filter_index == 2) return PictureFormat::svg;
    if (filter_index == 3) return PictureFormat::png;
    return PictureFormat::emf;
}

std::string PicturePath(const std::string& path, PictureFormat format) {
    if (!ExtensionOf(path).empty()) return path;
    return path + PictureExtension(format);
}
