# wxWidgets as two imported targets from wx-config:
#   wx::base  wxBase only (meter/, data/ and the pure arithmetic)
#   wx::gui   the GUI libraries (core, adv, html, ...)
# hvx_base_only(<target>) compiles a target with wxUSE_GUI=0 and links it against wxBase alone, so a
# GUI header or symbol in it fails the build. The define stays PRIVATE: GUI code may link the target.
# find_package(wxWidgets) hands out variables that a second call overwrites; wx-config is simpler.
find_program(WX_CONFIG wx-config REQUIRED)

function(hvx_wx_target name libs_arg)
  execute_process(COMMAND ${WX_CONFIG} --cxxflags ${libs_arg} OUTPUT_VARIABLE cflags OUTPUT_STRIP_TRAILING_WHITESPACE)
  execute_process(COMMAND ${WX_CONFIG} --libs ${libs_arg} OUTPUT_VARIABLE lflags OUTPUT_STRIP_TRAILING_WHITESPACE)
  separate_arguments(cflags UNIX_COMMAND "${cflags}")
  separate_arguments(lflags UNIX_COMMAND "${lflags}")
  set(incs "")
  set(defs "")
  set(opts "")
  foreach(f IN LISTS cflags)
    if(f MATCHES "^-I(.*)")
      list(APPEND incs "${CMAKE_MATCH_1}")
    elseif(f MATCHES "^-DwxUSE_GUI=0$")
      # applied per target by hvx_base_only(), never passed on to GUI code that links the library
    elseif(f MATCHES "^-D(.*)")
      list(APPEND defs "${CMAKE_MATCH_1}")
    else()
      list(APPEND opts "${f}")
    endif()
  endforeach()
  add_library(${name} INTERFACE IMPORTED GLOBAL)
  # Imported include directories are SYSTEM, so -Wpedantic stays quiet about the toolkit's headers.
  set_target_properties(${name} PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${incs}"
    INTERFACE_COMPILE_DEFINITIONS "${defs}"
    INTERFACE_COMPILE_OPTIONS "${opts}"
    INTERFACE_LINK_LIBRARIES "${lflags}")
endfunction()

hvx_wx_target(wx_base_only "base")
if(WIN32)
  # The static MSW build has no XML library (Debian's source package leaves expat out).
  hvx_wx_target(wx_gui_all "std,aui,html")
else()
  hvx_wx_target(wx_gui_all "std,aui,html,xml")
endif()
add_library(wx::base ALIAS wx_base_only)
add_library(wx::gui ALIAS wx_gui_all)

function(hvx_base_only target)
  target_compile_definitions(${target} PRIVATE wxUSE_GUI=0)
endfunction()
