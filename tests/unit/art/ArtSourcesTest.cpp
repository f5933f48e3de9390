// The SVG sources keep to what the toolkit's rasterizer draws correctly, and latched faces are
// composed from the same source as their "off" face.
#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "art/ArtCatalogue.h"

namespace {

std::string Source(const ArtEntry& e) {
    ArtEntry plain = e;
    plain.latched = false;
    return ArtSvgText(plain);
}

class Sources : public testing::TestWithParam<ArtEntry> {};

TEST_P(Sources, UseOnlyWhatTheRasterizerDraws) {
    const std::string svg = Source(GetParam());
    ASSERT_FALSE(svg.empty()) << "no source " << GetParam().source;
    EXPECT_EQ(svg.rfind("<svg", 0), 0u);
    // nanosvg ignores all of these silently: the picture would lose parts without any error.
    for (const char* unsupported : {"<text", "<use", "<clipPath", "<mask", "<pattern", "<filter",
                                    "<image", "class=", "<style", "<symbol"})
        EXPECT_EQ(svg.find(unsupported), std::string::npos) << unsupported;
}

TEST_P(Sources, GradientCoordinatesArePercentages) {
    // Bare numbers are read as user units, which squeezes the whole gradient into one pixel.
    const std::string svg = Source(GetParam());
    static const std::regex gradient("<(linear|radial)Gradient\\b[^>]*>");
    static const std::regex bare("\\b(x1|y1|x2|y2|cx|cy|r|fx|fy)=\"-?[0-9.]+\"");
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), gradient);
         it != std::sregex_iterator(); ++it)
        EXPECT_FALSE(std::regex_search(it->str(), bare)) << it->str();
}

TEST_P(Sources, EveryPaintReferenceIsDefinedBeforeUse) {
    const std::string svg = Source(GetParam());
    static const std::regex ref("url\\(#([A-Za-z0-9_-]+)\\)");
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), ref); it != std::sregex_iterator();
         ++it) {
        const auto def = svg.find("id=\"" + (*it)[1].str() + "\"");
        EXPECT_NE(def, std::string::npos) << (*it)[1];
        EXPECT_LT(def, static_cast<std::size_t>(it->position())) << (*it)[1];
    }
}

TEST_P(Sources, CanvasMatchesTheSizeTheProgramUses) {
    // Same aspect as the default size, so nothing is letterboxed when drawn at that size.
    const ArtEntry& e = GetParam();
    const std::string svg = Source(e);
    std::smatch m;
    static const std::regex viewBox("viewBox=\"0 0 ([0-9.]+) ([0-9.]+)\"");
    ASSERT_TRUE(std::regex_search(svg, m, viewBox));
    const double w = std::stod(m[1]), h = std::stod(m[2]);
    EXPECT_NEAR(w / h, double(e.width) / e.height, 0.01) << e.name;
}

INSTANTIATE_TEST_SUITE_P(Art, Sources, testing::ValuesIn(ArtEntries().begin(), ArtEntries().end()),
                         [](const testing::TestParamInfo<ArtEntry>& info) {
                             std::string s = info.param.name;
                             for (char& c : s)
                                 if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                             return s;
                         });

TEST(LatchedFaces, ComposeAPadUnderTheOffPictureShrunkIntoIt) {
    for (const ArtEntry& on : ArtEntries()) {
        if (!on.latched) continue;
        SCOPED_TRACE(on.name);
        const std::string face = ArtSvgText(on), plain = Source(on);
        EXPECT_NE(face.find("url(#latchPad)"), std::string::npos);
        EXPECT_NE(face.find("scale(0.860)"), std::string::npos);
        // The whole original drawing is inside, after the pad.
        const auto body =
            plain.substr(plain.find('>') + 1, plain.rfind("</svg>") - plain.find('>') - 1);
        EXPECT_GT(face.find(body), face.find("latchPad"));
        EXPECT_EQ(face.rfind("</g></svg>") + 4, face.rfind("</svg>"));
    }
}

TEST(LatchedFaces, EveryOnNameHasAnOffNameOnTheSameSource) {
    std::set<std::string> names;
    for (const ArtEntry& e : ArtEntries()) names.insert(e.name);
    for (const ArtEntry& e : ArtEntries()) {
        const std::string n = e.name;
        const bool on = n.size() > 3 && n.compare(n.size() - 3, 3, "-on") == 0;
        EXPECT_EQ(on, e.latched) << n;
        if (!on) continue;
        const ArtEntry* off = FindArtEntry(wxString::FromUTF8(n.substr(0, n.size() - 3) + "-off"));
        ASSERT_NE(off, nullptr) << n;
        EXPECT_STREQ(off->source, e.source);
        EXPECT_FALSE(off->latched);
    }
}

TEST(ArtCatalogueLookup, FindsExactNamesOnly) {
    EXPECT_NE(FindArtEntry("tool-open"), nullptr);
    for (const char* name : {"", "tool", "tool-open ", "TOOL-OPEN", "graph-flow", "tool-open.svg"})
        EXPECT_EQ(FindArtEntry(name), nullptr) << name;
    const ArtEntry missing{"x", "no-such-source", 10, 10, false};
    EXPECT_TRUE(ArtSvgText(missing).empty());
}

}  // namespace
