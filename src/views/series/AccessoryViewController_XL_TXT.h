#pragma once
// The format chooser under the series export panel: item 0 the workbook ("xlsx"), any other the
// text file ("txt"); choosing one gives the proposed name that extension.
#include "views/dialogs/AccessoryViewController.h"

class AccessoryViewController_XL_TXT : public AccessoryViewController {
public:
    explicit AccessoryViewController_XL_TXT(QWidget* parent = nullptr);
};
