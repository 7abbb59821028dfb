# Shared target settings: warnings, precompiled Qt headers and split debug information.
set(ZOVA_PCH_HEADERS
  <QtCore/QString> <QtCore/QList> <QtCore/QHash> <QtCore/QMap> <QtCore/QVariant>
  <QtCore/QByteArray> <QtCore/QDir> <QtCore/QFile> <QtCore/QFileInfo> <QtCore/QObject>
  <QtCore/QRectF> <QtCore/QPointF> <QtCore/QSizeF> <QtGui/QColor> <QtGui/QImage>
  <QtGui/QPainter> <QtGui/QPainterPath> <QtGui/QTransform> <QtGui/QFont>
  <memory> <vector> <functional> <string>)
# The shared headers also hold the widgets most windows use; the tests' header adds the test
# frameworks (not Qt Test, whose headers change with the macros of each test program).
set(ZOVA_PCH_WIDGET_HEADERS
  <QtWidgets/QWidget> <QtWidgets/QDialog> <QtWidgets/QLabel> <QtWidgets/QLineEdit> <QtWidgets/QPushButton>
  <QtWidgets/QComboBox> <QtWidgets/QCheckBox> <QtWidgets/QApplication>)
set(ZOVA_PCH_TEST_HEADERS <gtest/gtest.h> <gmock/gmock.h>)

# Debug information goes into .dwo files beside the objects instead of being copied into every
# library and executable that links them; the executables keep their line tables, so backtraces
# still name files and lines.
set(ZOVA_SPLIT_DEBUG $<$<CONFIG:Debug,RelWithDebInfo>:-gsplit-dwarf>)

# One precompiled header shared by every target (a header of its own cost each target about 180 MB
# of build folder), and one more for the tests. GCC takes a header only where every macro it was
# made with is defined alike, so a header is made with Qt Core's and Qt Gui's macros alone, which
# every target has; the libraries named by INCLUDES give their header folders only.
#   zova_shared_pch(name HEADERS headers... [INCLUDES imported targets...] [LINKS libraries...])
function(zova_shared_pch name)
  cmake_parse_arguments(PCH "" "" "HEADERS;INCLUDES;LINKS" ${ARGN})
  add_library(${name} OBJECT ${PROJECT_SOURCE_DIR}/cmake/pch_anchor.cpp)
  target_link_libraries(${name} PRIVATE Qt6::Core Qt6::Gui ${PCH_LINKS})
  foreach(library ${PCH_INCLUDES})
    target_include_directories(${name} PRIVATE $<TARGET_PROPERTY:${library},INTERFACE_INCLUDE_DIRECTORIES>)
  endforeach()
  target_compile_definitions(${name} PRIVATE QT_NO_KEYWORDS)
  target_compile_options(${name} PRIVATE ${ZOVA_SPLIT_DEBUG})
  target_precompile_headers(${name} PRIVATE ${PCH_HEADERS})
endfunction()
zova_shared_pch(zova_pch HEADERS ${ZOVA_PCH_HEADERS} ${ZOVA_PCH_WIDGET_HEADERS} INCLUDES Qt6::Widgets)

#   zova_target_defaults(target [PCH shared_pch_target])
function(zova_target_defaults target)
  cmake_parse_arguments(DEFAULTS "" "PCH" "" ${ARGN})
  if(NOT DEFAULTS_PCH)
    set(DEFAULTS_PCH zova_pch)
  endif()
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers
    ${ZOVA_SPLIT_DEBUG})
  # Every target is written without Qt's keywords; the shared header is made that way too.
  target_compile_definitions(${target} PRIVATE QT_NO_KEYWORDS)
  target_precompile_headers(${target} REUSE_FROM ${DEFAULTS_PCH})
  # GCC writes a name index for the gdb-index linker option with split debug information, even
  # when told not to; without that option it is only dead weight, most of each executable.
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE" AND CMAKE_OBJCOPY)
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND "$<$<CONFIG:Debug,RelWithDebInfo>:${CMAKE_OBJCOPY};--remove-section=.debug_gnu_pubnames;--remove-section=.debug_gnu_pubtypes;$<TARGET_FILE:${target}>>"
      COMMAND_EXPAND_LISTS VERBATIM)
  endif()
endfunction()
