# Installs the build into a staging prefix and checks that the program, the desktop entry, the icon
# and the udev rule land where a desktop and udev look for them.
#   cmake -DBUILD_DIR=<build> -DSOURCE_DIR=<source> -DSTAGE=<empty folder> -P InstallCheck.cmake
file(REMOVE_RECURSE ${STAGE})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${STAGE}
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${rc})")
endif()

foreach(f bin/hvx-monitor share/applications/hvx-monitor.desktop
          share/icons/hicolor/scalable/apps/hvx-monitor.svg share/icons/hicolor/48x48/apps/hvx-monitor.png
          lib/udev/rules.d/60-hvx2.rules)
  if(NOT EXISTS ${STAGE}/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()
# Every hicolor size is the committed drawing for that size: 16 and 24 come from the simplified
# small icon, which stays readable where the detailed one would blur.
foreach(size 16 24 32 48 64 128 256)
  set(png share/icons/hicolor/${size}x${size}/apps/hvx-monitor.png)
  if(NOT EXISTS ${STAGE}/${png})
    message(FATAL_ERROR "not installed: ${png}")
  endif()
  file(SHA256 ${STAGE}/${png} installed)
  file(SHA256 ${SOURCE_DIR}/art/icons/hicolor/${size}x${size}/apps/hvx-monitor.png drawn)
  if(NOT installed STREQUAL drawn)
    message(FATAL_ERROR "${png} is not the drawing made for ${size} pixels")
  endif()
endforeach()
execute_process(COMMAND test -x ${STAGE}/bin/hvx-monitor RESULT_VARIABLE not_executable)
if(not_executable)
  message(FATAL_ERROR "bin/hvx-monitor is not executable")
endif()

file(READ ${STAGE}/share/applications/hvx-monitor.desktop desktop)
foreach(line "Exec=hvx-monitor" "Icon=hvx-monitor" "Type=Application")
  string(FIND "${desktop}" "\n${line}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "desktop entry lacks ${line}")
  endif()
endforeach()

file(READ ${STAGE}/lib/udev/rules.d/60-hvx2.rules rules)
foreach(part [[SUBSYSTEM=="usb"]] [[ATTR{idVendor}=="04d8"]] [[ATTR{idProduct}=="fffd"]] [[TAG+="uaccess"]]
             [[MODE="0660"]])
  string(FIND "${rules}" "${part}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "udev rule lacks ${part}")
  endif()
endforeach()
file(REMOVE_RECURSE ${STAGE})
