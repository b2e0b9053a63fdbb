#pragma once

#include <vector>

#include <wx/bitmap.h>

#include "ControlsApi.h"

/// Bitmaps shown beside tab labels, addressed by the index that Add returned.
class CONTROLS_API wxFlatNotebookImageList
{
public:
    /// Appends a copy of the bitmap; returns its index.
    int Add(const wxBitmap& bitmap);
    /// The bitmap at `index`, or an invalid bitmap when the index is out of range.
    const wxBitmap& Get(int index) const;
    int GetCount() const;
    void Clear();

private:
    std::vector<wxBitmap> m_bitmaps;
};
