#include "wxFlatNotebookImageList.h"

int wxFlatNotebookImageList::Add(const wxBitmap& bitmap)
{
    m_bitmaps.push_back(bitmap);
    return static_cast<int>(m_bitmaps.size()) - 1;
}

const wxBitmap& wxFlatNotebookImageList::Get(int index) const
{
    if (index < 0 || index >= GetCount())
        return wxNullBitmap;
    return m_bitmaps[static_cast<size_t>(index)];
}

int wxFlatNotebookImageList::GetCount() const
{
    return static_cast<int>(m_bitmaps.size());
}

void wxFlatNotebookImageList::Clear()
{
    m_bitmaps.clear();
}
