#pragma once
// The design project file: an XML property list whose root array holds the marker, the work
// mode, the card settings of both sides, the spreadsheet binding and table, the group-mode column
// bindings and the element entries of both sides, 88 + N + M items in all.
#include <QByteArray>
#include <QString>
#include <QVariantList>
#include <functional>
#include <optional>

#include "designfile/DesignFileItems.h"
#include "designfile/DesignState.h"

inline const QString kDesignFileMarker = QStringLiteral("ZOVAMACIDCARD");
inline const QString design_file_EXT = QStringLiteral("did");
// Items of a design without elements; item 86 is the front count N.
inline constexpr int kDesignFileFixedItems = 88;
inline constexpr int kFrontCountItem = 86;

// The XML property-list bytes of the state; empty with a reason in *error when they cannot be
// made. Every number is written within NumberBounds, so the reader takes the file back as it was
// written. Texts that XML cannot carry are mended (see xmlSafeText) and the mending logged.
QByteArray designFileData(const DesignState& state, QString* error = nullptr);
// Writes the file whole or not at all: on failure the old file stays as it was and *error says why.
bool writeDesignFile(const QString& path, const DesignState& state, QString* error = nullptr);

// The root array of a property-list file (XML or binary); none with a reason when the file is not
// readable as one.
std::optional<QVariantList> readDesignItems(const QString& path, DesignFileError* error);
// Told the elements of both sides once all are read, before their stored barcode pictures are
// decoded: a caller may start its own work on them meanwhile. Nothing after it refuses the items;
// readDesignFile tells it while the file's markup is still being checked, which may yet refuse the
// file, or have it read again and told again.
using ElementsRead = std::function<void(const GraphicList& elements)>;
// A new state from the items, every item checked: none, with the item at fault, when the marker
// is wrong, a count does not fit the items left, or an item has the wrong type, form or range.
std::optional<DesignState> designStateFromItems(const QVariantList& items, DesignFileError* error,
                                                const ElementsRead& elementsRead = {});
// Both of the above, the state made from the items as parsed while the file's markup is still
// being checked (see PropertyListRead).
std::optional<DesignState> readDesignFile(const QString& path, DesignFileError* error,
                                          const ElementsRead& elementsRead = {});
