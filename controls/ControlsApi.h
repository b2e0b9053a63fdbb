#pragma once
// Export marker for the extended-controls library. The plug-in that links it is
// built with hidden visibility, so every public class is marked explicitly.

#if defined(_WIN32)
#  if defined(tickerdeck_controls_EXPORTS)
#    define CONTROLS_API __declspec(dllexport)
#  else
#    define CONTROLS_API __declspec(dllimport)
#  endif
#else
#  define CONTROLS_API __attribute__((visibility("default")))
#endif
