# Makes the Debian package of this build into a folder of its own, checks
# what it holds and what it depends on, and starts the tool from the
# package's files extracted into a temporary root.
#   cmake -DBUILD=... -DWORK=... -P package_test.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/root)
execute_process(COMMAND cpack -G DEB -B ${WORK} --config ${BUILD}/CPackConfig.cmake
                WORKING_DIRECTORY ${BUILD} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cpack failed:\n${out}")
endif()
file(GLOB debs ${WORK}/dorpak_*.deb)
list(LENGTH debs n)
if(NOT n EQUAL 1)
  message(FATAL_ERROR "expected one package, found: ${debs}")
endif()

execute_process(COMMAND dpkg-deb -c ${debs} OUTPUT_VARIABLE contents)
foreach(f ./usr/bin/dorpak ./usr/bin/dorpak-admin ./usr/share/applications/dorpak.desktop
          ./usr/share/icons/hicolor/scalable/apps/dorpak.svg ./usr/share/man/man1/dorpak-admin.1.gz
          ./usr/share/doc/dorpak/examples/dorpak-backup
          ./usr/share/doc/dorpak/examples/dorpak-backup.service
          ./usr/share/doc/dorpak/examples/dorpak-backup.timer)
  string(FIND "${contents}" " ${f}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${f} is not in the package:\n${contents}")
  endif()
endforeach()

execute_process(COMMAND dpkg-deb -f ${debs} Depends OUTPUT_VARIABLE depends)
foreach(d libfbclient2 firebird3.0-server-core fonts-liberation2 fonts-dejavu-core libqt6widgets6
          qt6-image-formats-plugins qt6-translations-l10n libsane1 libqt6pdf6 libxlsxwriter
          libqt6printsupport6 libqt6network6 libstdc++6)
  string(FIND "${depends}" "${d}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the package does not depend on ${d}: ${depends}")
  endif()
endforeach()

execute_process(COMMAND dpkg-deb -x ${debs} ${WORK}/root RESULT_VARIABLE rc)
execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                        ${WORK}/root/usr/bin/dorpak-admin create ${WORK}/DORPAK2026.GDB --demo
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0 OR NOT EXISTS ${WORK}/DORPAK2026.GDB)
  message(FATAL_ERROR "the packaged dorpak-admin did not make a file:\n${out}")
endif()
execute_process(COMMAND ${WORK}/root/usr/bin/dorpak-admin check ${WORK}/DORPAK2026.GDB
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the packaged dorpak-admin could not check its file:\n${out}")
endif()
file(REMOVE_RECURSE ${WORK})
