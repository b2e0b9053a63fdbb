// On GTK 3 the toolkit reduces the paint context's clip to its extents; the
// clip itself still holds the precise rectangles, so read them back.

#include "PaintDamage.h"

#include <wx/region.h>
#include <wx/window.h>

#ifdef __WXGTK3__
#include <cairo.h>
#endif

void NarrowUpdateRegionToDamage(wxWindow* window)
{
#ifdef __WXGTK3__
    cairo_t* context = window ? window->GTKPaintContext() : nullptr;
    // Mirrored windows get their region flipped by the toolkit; keep theirs.
    if (!context || window->GetLayoutDirection() == wxLayout_RightToLeft)
        return;
    cairo_rectangle_list_t* list = cairo_copy_clip_rectangle_list(context);
    if (list->status == CAIRO_STATUS_SUCCESS && list->num_rectangles > 1)
    {
        wxRegion damage;
        for (int i = 0; i < list->num_rectangles; ++i)
        {
            const cairo_rectangle_t& r = list->rectangles[i];
            // Device rectangles are whole pixels; round outwards all the same.
            const int left = static_cast<int>(r.x);
            const int top = static_cast<int>(r.y);
            const int right = static_cast<int>(r.x + r.width + 0.999);
            const int bottom = static_cast<int>(r.y + r.height + 0.999);
            damage.Union(left, top, right - left, bottom - top);
        }
        wxRegion& update = window->GetUpdateRegion();
        update.Intersect(damage);
    }
    cairo_rectangle_list_destroy(list);
#else
    (void)window;
#endif
}
