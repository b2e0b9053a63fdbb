#pragma once
// Whether the Ctrl key is held, behind a probe that tests can replace.

#include <functional>

/// True while the Ctrl key is down.
bool IsControlKeyDown();

/// Replaces the keyboard query; an empty probe restores the real one.
void SetControlKeyProbe(std::function<bool()> probe);
