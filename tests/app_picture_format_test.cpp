// Which picture a "Save window content" writes, and under which name.
#include <gtest/gtest.h>

#include "app/logic/picture_format.h"

namespace {

TEST(PictureFormat, TypedExtensionDecidesElseTheChosenType) {
    struct Case {
        int filter_index;
        const char* path;
        PictureFormat format;
        const char* written_path;
    };
    const Case cases[] = {
        {1, "C:\\pics\\berlin.emf", PictureFormat::emf, "C:\\pics\\berlin.emf"},
        {2, "C:\\pics\\berlin.svg", PictureFormat::svg, "C:\\pics\\berlin.svg"},
        {3, "C:\\pics\\berlin.png", PictureFormat::png, "C:\\pics\\berlin.png"},
        // The typed extension wins over the type, in any case.
        {1, "berlin.PNG", PictureFormat::png, "berlin.PNG"},
        {3, "berlin.Svg", PictureFormat::svg, "berlin.Svg"},
        {2, "berlin.emf", PictureFormat::emf, "berlin.emf"},
        // No extension: the chosen type, and its extension added.
        {2, "C:\\pics\\berlin", PictureFormat::svg, "C:\\pics\\berlin.svg"},
        {3, "C:\\pics.old\\berlin", PictureFormat::png, "C:\\pics.old\\berlin.png"},
        {1, "berlin", PictureFormat::emf, "berlin.emf"},
        // Another extension keeps the name; "All Files" is the metafile.
        {3, "berlin.bmp", PictureFormat::png, "berlin.bmp"},
        {4, "berlin.txt", PictureFormat::emf, "berlin.txt"},
        {0, "", PictureFormat::emf, ".emf"},
        {2, "C:\\a.b/c", PictureFormat::svg, "C:\\a.b/c.svg"},
    };
    for (const Case& c : cases) {
        const PictureFormat format = PictureFormatFor(c.filter_index, c.path);
        EXPECT_EQ(format, c.format) << c.filter_index << " " << c.path;
        EXPECT_EQ(PicturePath(c.path, format), c.written_path) << c.path;
    }
}

}  // namespace
