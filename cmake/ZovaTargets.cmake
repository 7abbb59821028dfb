# Shared target settings: warnings and precompiled Qt headers.
set(ZOVA_PCH_HEADERS
  <QtCore/QString> <QtCore/QList> <QtCore/QHash> <QtCore/QMap> <QtCore/QVariant>
  <QtCore/QByteArray> <QtCore/QDir> <QtCore/QFile> <QtCore/QFileInfo> <QtCore/QObject>
  <QtCore/QRectF> <QtCore/QPointF> <QtCore/QSizeF> <QtGui/QColor> <QtGui/QImage>
  <QtGui/QPainter> <QtGui/QPainterPath> <QtGui/QTransform> <QtGui/QFont>
  <memory> <vector> <functional> <string>)

function(zova_target_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers)
  target_precompile_headers(${target} PRIVATE ${ZOVA_PCH_HEADERS})
endfunction()
