// Headers nearly every source of ours includes. Parsing them once per target
// instead of once per file roughly halves a cold build on a small machine;
// each source still includes what it uses, so it compiles without this.
#pragma once

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include <wx/wx.h>
#include <wx/grid.h>
#include <wx/numformatter.h>
#include <wx/filename.h>
