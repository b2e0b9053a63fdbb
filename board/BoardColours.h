#pragma once
// The theme's colours and fonts on the windows of a board.

class Theme;
class wxFlatNotebook;
class wxGridEx;
class wxStaticTextEx;
class wxToolBar;

// Each does nothing without a theme (a board whose host has none).
void ApplyToolbarColours(wxToolBar* toolbar, const Theme* theme);
void ApplyTitleLabelStyle(wxStaticTextEx* title, const Theme* theme);
void ApplyNotebookColours(wxFlatNotebook* notebook, const Theme* theme);
void ApplyGridColours(wxGridEx* grid, const Theme* theme);
