#include "board/TrendPictures.h"

#include <wx/brush.h>
#include <wx/dc.h>
#include <wx/dcmemory.h>

bool TrendPictures::Look::operator==(const Look& other) const
{
    return points == other.points && prevClose == other.prevClose && up == other.up && down == other.down &&
           text == other.text && background == other.background;
}

void TrendPictures::Draw(wxDC& dc, const wxRect& area, const Price* price, const Look& look, const Drawing& draw)
{
    if (area.IsEmpty())
        return;
    double scaleX = 1.0;
    double scaleY = 1.0;
    dc.GetUserScale(&scaleX, &scaleY);
    if (dc.GetContentScaleFactor() != 1.0 || scaleX != 1.0 || scaleY != 1.0)
    {
        draw(dc, area.GetTopLeft());
        return;
    }
    auto kept = m_pictures.find(price);
    if (kept == m_pictures.end() || kept->second.bitmap.GetSize() != area.GetSize() || !(kept->second.look == look))
    {
        if (kept == m_pictures.end() && m_pictures.size() >= kCapacity)
            m_pictures.clear();
        wxBitmap bitmap(area.GetSize());
        {
            wxMemoryDC picture(bitmap);
            picture.SetBackground(wxBrush(look.background));
            picture.Clear();
            draw(picture, wxPoint(0, 0));
        }
        kept = m_pictures.insert_or_assign(price, Picture{look, bitmap}).first;
    }
    dc.DrawBitmap(kept->second.bitmap, area.GetTopLeft());
}
