#pragma once
// What is remembered of texts, kept apart for each of the few fonts a grid
// paints with.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include <wx/font.h>
#include <wx/string.h>

/// The texts of the few fonts a grid paints with, each with a value of
/// `Value`; one font more than `kFonts` forgets the one used longest ago.
template <class Value, size_t kFonts = 4>
class FontSlots
{
public:
    using Texts = std::unordered_map<wxString, Value>;

    /// The texts of `font`, made empty for a font not seen before.
    Texts& Of(const wxFont& font)
    {
        // The same font object comes cell after cell: one pointer comparison.
        if (m_current < m_slots.size() && font.IsSameAs(m_slots[m_current]->font))
            return m_slots[m_current]->texts;
        ++m_uses;
        // Comparing fonts by value measures text in both of them, so font
        // objects are recognised first and others by their description.
        size_t at = FindSame(font);
        if (at == m_slots.size())
            at = FindDescribed(font.IsOk() ? font.GetNativeFontInfoDesc() : wxString());
        m_slots[at]->font = font;
        m_slots[at]->lastUse = m_uses;
        m_current = at;
        return m_slots[at]->texts;
    }

    /// Texts remembered, in all fonts.
    size_t Size() const
    {
        size_t size = 0;
        for (const auto& slot : m_slots)
            size += slot->texts.size();
        return size;
    }

private:
    struct Slot
    {
        wxFont font;
        wxString description;
        uint64_t lastUse = 0;
        Texts texts;
    };

    size_t FindSame(const wxFont& font) const
    {
        size_t at = 0;
        while (at < m_slots.size() && !font.IsSameAs(m_slots[at]->font))
            ++at;
        return at;
    }

    size_t FindDescribed(const wxString& description)
    {
        for (size_t at = 0; at < m_slots.size(); ++at)
            if (m_slots[at]->description == description)
                return at;
        if (m_slots.size() < kFonts)
        {
            m_slots.push_back(std::make_unique<Slot>());
            m_slots.back()->description = description;
            return m_slots.size() - 1;
        }
        const auto oldest = std::min_element(m_slots.begin(), m_slots.end(),
                                             [](const auto& a, const auto& b) { return a->lastUse < b->lastUse; });
        (*oldest)->texts.clear();
        (*oldest)->description = description;
        return static_cast<size_t>(oldest - m_slots.begin());
    }

    std::vector<std::unique_ptr<Slot>> m_slots;
    size_t m_current = 0;
    uint64_t m_uses = 0;
};
