# Shared target settings: warnings, precompiled Qt headers and split debug information.
set(ZOVA_PCH_HEADERS
  <QtCore/QString> <QtCore/QList> <QtCore/QHash> <QtCore/QMap> <QtCore/QVariant>
  <QtCore/QByteArray> <QtCore/QDir> <QtCore/QFile> <QtCore/QFileInfo> <QtCore/QObject>
  <QtCore/QRectF> <QtCore/QPointF> <QtCore/QSizeF> <QtGui/QColor> <QtGui/QImage>
  <QtGui/QPainter> <QtGui/QPainterPath> <QtGui/QTransform> <QtGui/QFont>
  <memory> <vector> <functional> <string>)

# Debug information goes into .dwo files beside the objects instead of being copied into every
# library and executable that links them; the executables keep their line tables, so backtraces
# still name files and lines.
set(ZOVA_SPLIT_DEBUG $<$<CONFIG:Debug,RelWithDebInfo>:-gsplit-dwarf>)

# One precompiled header for every target: a header of its own cost each target about 180 MB of
# build folder. A target whose flags do not suit it (a sanitizer build) reads the headers instead.
add_library(zova_pch OBJECT ${CMAKE_CURRENT_LIST_DIR}/pch_anchor.cpp)
target_link_libraries(zova_pch PRIVATE Qt6::Core Qt6::Gui)
target_compile_definitions(zova_pch PRIVATE QT_NO_KEYWORDS)
target_compile_options(zova_pch PRIVATE ${ZOVA_SPLIT_DEBUG})
target_precompile_headers(zova_pch PRIVATE ${ZOVA_PCH_HEADERS})

function(zova_target_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers
    ${ZOVA_SPLIT_DEBUG})
  # Every target is written without Qt's keywords; the shared header is made that way too.
  target_compile_definitions(${target} PRIVATE QT_NO_KEYWORDS)
  target_precompile_headers(${target} REUSE_FROM zova_pch)
  # GCC writes a name index for the gdb-index linker option with split debug information, even
  # when told not to; without that option it is only dead weight, most of each executable.
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE" AND CMAKE_OBJCOPY)
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND "$<$<CONFIG:Debug,RelWithDebInfo>:${CMAKE_OBJCOPY};--remove-section=.debug_gnu_pubnames;--remove-section=.debug_gnu_pubtypes;$<TARGET_FILE:${target}>>"
      COMMAND_EXPAND_LISTS VERBATIM)
  endif()
endfunction()
