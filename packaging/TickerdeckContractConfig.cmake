# find_package(TickerdeckContract) for terminals that host the Tickerdeck
# board: the target Tickerdeck::contract carries the binary contract's
# headers (#include "contract/Widget.h"); the host brings its own wxWidgets.
# TickerdeckContract_PLUGIN_DIR names the installed board plug-in's folder and
# TickerdeckContract_DATA_DIR the folder of its icons and sounds, which must
# be the host's working folder while boards are open.
get_filename_component(_tickerdeck_prefix "${CMAKE_CURRENT_LIST_DIR}/../../.." ABSOLUTE)
if(NOT TARGET Tickerdeck::contract)
  add_library(Tickerdeck::contract INTERFACE IMPORTED)
  set_target_properties(Tickerdeck::contract PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${_tickerdeck_prefix}/include/tickerdeck"
    INTERFACE_COMPILE_FEATURES cxx_std_17)
endif()
set(TickerdeckContract_PLUGIN_DIR "${_tickerdeck_prefix}/lib/tickerdeck/plugins")
set(TickerdeckContract_DATA_DIR "${_tickerdeck_prefix}/share/tickerdeck")
unset(_tickerdeck_prefix)
