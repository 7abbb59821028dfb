#include "views/series/AccessoryViewController_XL_TXT.h"

AccessoryViewController_XL_TXT::AccessoryViewController_XL_TXT(QWidget* parent)
    : AccessoryViewController({{QStringLiteral("Excel Workbook (xlsx)"), QStringLiteral("xlsx")},
                               {QStringLiteral("Text File (txt)"), QStringLiteral("txt")}},
                              parent)
{
}
