#include <gtest/gtest.h>

#include <vector>

#include "widgets/core/TipLines.h"

namespace {

struct BreakCase {
    const char* name;
    wxString text;
    std::vector<wxString> lines;
};

std::vector<BreakCase> Cases() {
    const wxString forty(40, 'x');
    const wxString fortyOne(41, 'y');
    return {
        {"Empty", "", {}},
        {"ExactlyFortyIsOneLine", forty, {forty}},
        {"FortyOneWithoutBlankStaysWhole", fortyOne, {fortyOne}},
        {"BlankAtZeroKeepsWhole", " " + wxString(45, 'z'), {" " + wxString(45, 'z')}},
        {"BlankAtOneKeepsWhole", "a " + wxString(45, 'z'), {"a " + wxString(45, 'z')}},
        {"BlankAtTwoBreaks", "ab " + wxString(45, 'z'), {"ab", wxString(45, 'z')}},
        {"BlankAfterFortyIsNotSeen", forty + " tail", {forty + " tail"}},
        {"BreaksAtLastBlankOfFirstForty",
         wxString(30, 'a') + " " + wxString(5, 'b') + " " + wxString(10, 'c'),
         {wxString(30, 'a') + " " + wxString(5, 'b'), wxString(10, 'c')}},
        {"TipOne",
         wxString::FromUTF8(
             "Leggi e registra le misure live dal misuratore mentre è connesso con USB"),
         {"Leggi e registra le misure live dal",
          wxString::FromUTF8("misuratore mentre è connesso con USB")}},
        {"TipSeven",
         wxString::FromUTF8(
             "Salvare un immagine del grafico corrente. L'immagine salvata può essere "
             "importata su un report di WORD o di EXCEL"),
         {"Salvare un immagine del grafico",
          wxString::FromUTF8("corrente. L'immagine salvata può essere"),
          "importata su un report di WORD o di", "EXCEL"}},
    };
}

class TipLinesBreak : public ::testing::TestWithParam<BreakCase> {};

TEST_P(TipLinesBreak, GivesTheExpectedLines) {
    const BreakCase& c = GetParam();
    EXPECT_EQ(BreakTipLines(c.text), c.lines);
}

INSTANTIATE_TEST_SUITE_P(Texts, TipLinesBreak, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TipLinesLayout, PlacesLinesRightOfThePictureTwentyPixelsApart) {
    const auto lines = LayoutTipLines(wxString::FromUTF8(
        "Salvare un immagine del grafico corrente. L'immagine salvata può essere "
        "importata su un report di WORD o di EXCEL"));
    ASSERT_EQ(lines.size(), 4u);
    for (size_t k = 0; k < lines.size(); ++k) {
        EXPECT_EQ(lines[k].x, 100);
        EXPECT_EQ(lines[k].y, 15 + 20 * static_cast<int>(k));
    }
    EXPECT_EQ(lines.back().text, "EXCEL");
    EXPECT_EQ(lines.back().y, 75);
}

TEST(TipLinesLayout, CountsCharactersNotBytes) {
    // 40 characters, 75 bytes in UTF-8: still one line.
    wxString text;
    for (int i = 0; i < 35; ++i) text += wxString::FromUTF8("è");
    text += " abcd";
    ASSERT_EQ(text.length(), 40u);
    EXPECT_EQ(BreakTipLines(text), (std::vector<wxString>{text}));
}

}  // namespace
