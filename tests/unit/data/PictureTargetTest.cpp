// Which picture "cattura" writes: the name's extension, else the chosen file type.
#include <gtest/gtest.h>

#include "data/PictureTarget.h"

namespace {

TEST(PictureTarget, TheNamesExtensionElseTheChosenTypeDecides) {
    using F = PictureFormat;
    const struct {
        const char* chosen;
        int filter;
        F format;
        const char* path;
    } cases[] = {
        // No extension: the chosen type's is added.
        {"/d/grafico", 0, F::Bmp, "/d/grafico.bmp"},
        {"/d/grafico", 1, F::Png, "/d/grafico.png"},
        {"/d/grafico", 2, F::Svg, "/d/grafico.svg"},
        // The name wins over the filter, in any case, and is kept as typed.
        {"/d/grafico.png", 0, F::Png, "/d/grafico.png"},
        {"/d/grafico.SVG", 1, F::Svg, "/d/grafico.SVG"},
        {"/d/Grafico.Bmp", 2, F::Bmp, "/d/Grafico.Bmp"},
        // Another extension is part of the name.
        {"/d/7.03.2011", 1, F::Png, "/d/7.03.2011.png"},
        {"/d/grafico.jpg", 0, F::Bmp, "/d/grafico.jpg.bmp"},
        // A dot in a folder name is no extension.
        {"/d.png/grafico", 2, F::Svg, "/d.png/grafico.svg"},
        // A filter index the dialog does not have means the default, BMP.
        {"/d/grafico", 3, F::Bmp, "/d/grafico.bmp"},
        {"/d/grafico", -1, F::Bmp, "/d/grafico.bmp"},
    };
    for (const auto& c : cases) {
        const PictureTarget t = ChoosePictureTarget(c.chosen, c.filter);
        EXPECT_EQ(t.format, c.format) << c.chosen << " " << c.filter;
        EXPECT_EQ(t.path, c.path) << c.chosen << " " << c.filter;
    }
}

}  // namespace
