# cmake --install: the package a host program builds against.
#
#   bin/                 mfcpaint.dll, companion.dll, mfcx.dll (framework builds) and the
#                        mingw runtime DLLs: everything the host ships beside its program
#   lib/                 the import libraries, and libmfcxmain.a (framework builds)
#   include/mfcpaint/    the library's and the companion's headers, by folder
#                        (#include "paint/PntCtrl.h", "resources/resource.h")
#   include/mfcx/        the framework's headers (afxwin.h, ...) on framework builds
#   lib/cmake/mfcpaint/  mfcpaintConfig.cmake and its version file, the imported targets, and
#                        the cross toolchain file the package was built with (mingw-w64)
#
# find_package(mfcpaint CONFIG REQUIRED) then gives mfcpaint::mfcpaint (with the companion and,
# on framework builds, mfcpaint::mfcx and mfcpaint::mfcxmain), and the function
# mfcpaint_copy_runtime_dlls(target) that copies every DLL a program needs beside it.

include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(MFCPAINT_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/mfcpaint)

set(MFCPAINT_INSTALLED_TARGETS)
foreach(target mfcx mfcxmain companion mfcpaint)
  if(TARGET ${target})
    list(APPEND MFCPAINT_INSTALLED_TARGETS ${target})
  endif()
endforeach()
if(NOT TARGET mfcpaint)
  return()
endif()

install(TARGETS ${MFCPAINT_INSTALLED_TARGETS}
  EXPORT mfcpaintTargets
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})

# Headers keep their folders: they name each other from the include root ("paint/PntCtrl.h").
foreach(dir image paint toolpalette textbar dialogs resources companion)
  install(DIRECTORY ${REPO_ROOT}/${dir}/
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/mfcpaint/${dir}
    FILES_MATCHING PATTERN "*.h")
endforeach()
if(TARGET mfcx)
  install(DIRECTORY ${REPO_ROOT}/framework/include/
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/mfcx
    FILES_MATCHING PATTERN "*.h")
endif()

# The mingw runtime the DLLs were linked against; the package lists them by name.
set(MFCPAINT_RUNTIME_DLL_NAMES ${MINGW_RUNTIME_DLL_NAMES})
if(MINGW_RUNTIME_DLL_SOURCES)
  install(FILES ${MINGW_RUNTIME_DLL_SOURCES} DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

install(EXPORT mfcpaintTargets
  NAMESPACE mfcpaint::
  DESTINATION ${MFCPAINT_PACKAGE_DIR})

configure_package_config_file(
  ${REPO_ROOT}/cmake/mfcpaintConfig.cmake.in
  ${CMAKE_BINARY_DIR}/package/mfcpaintConfig.cmake
  INSTALL_DESTINATION ${MFCPAINT_PACKAGE_DIR}
  PATH_VARS CMAKE_INSTALL_BINDIR)
# A host built for 1.x works with any later 1.x.
write_basic_package_version_file(
  ${CMAKE_BINARY_DIR}/package/mfcpaintConfigVersion.cmake
  VERSION ${PROJECT_VERSION}
  COMPATIBILITY SameMajorVersion)
install(FILES
  ${CMAKE_BINARY_DIR}/package/mfcpaintConfig.cmake
  ${CMAKE_BINARY_DIR}/package/mfcpaintConfigVersion.cmake
  DESTINATION ${MFCPAINT_PACKAGE_DIR})
# The cross toolchain the package was built with, for programs built the same way.
if(CMAKE_TOOLCHAIN_FILE)
  install(FILES ${CMAKE_TOOLCHAIN_FILE} DESTINATION ${MFCPAINT_PACKAGE_DIR})
endif()
