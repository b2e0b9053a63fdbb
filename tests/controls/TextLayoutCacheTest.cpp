// Texts drawn as kept look exactly as the toolkit draws them, in every font
// and colour, in one direction or two, and after the drawing's scale changed.

#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

#include "TextLayoutCache.h"

namespace {

/// The pixels of `text` drawn at (3, 2) on white, by the cache or by the DC.
wxImage Drawn(TextLayoutCache* cache, const wxFont& font, const wxColour& colour, double scale,
              const wxString& text)
{
    wxBitmap bitmap(160, 60);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        dc.SetUserScale(scale, scale);
        dc.SetFont(font);
        dc.SetTextForeground(colour);
        if (!cache || !cache->Draw(dc, text, 3, 2))
            dc.DrawText(text, 3, 2);
    }
    return bitmap.ConvertToImage();
}

TEST(TextLayoutCache, TextsLookAsTheToolkitDrawsThemInEveryFontColourAndScale)
{
    TextLayoutCache cache;
    const wxFont plain(wxFontInfo(10));
    const wxFont bold(wxFontInfo(10).Bold());
    for (const double scale : {1.0, 2.0, 1.0})
        for (const auto& [font, colour] : {std::pair(plain, *wxBLACK), std::pair(bold, wxColour(200, 0, 0)),
                                           std::pair(plain, wxColour(0, 120, 0))})
            for (const wxString& text : {wxString("1,234.56"), wxString("-0.25"), wxString("AMX 100 Tracker"),
                                        // Two directions: two runs of glyphs.
                                        wxString::FromUTF8("Tel Aviv \u05EA\u05DC \u05D0\u05D1\u05D9\u05D1")})
            {
                const wxImage expected = Drawn(nullptr, font, colour, scale, text);
                const wxImage actual = Drawn(&cache, font, colour, scale, text);
                ASSERT_EQ(expected.GetSize(), actual.GetSize());
                EXPECT_TRUE(std::equal(expected.GetData(), expected.GetData() + expected.GetWidth() * expected.GetHeight() * 3,
                                       actual.GetData()))
                    << text << " at scale " << scale << (font.GetWeight() == wxFONTWEIGHT_BOLD ? " in bold" : "");
            }
    EXPECT_EQ(8u, cache.Size()) << "four texts in two fonts, each kept once";
}

}  // namespace
