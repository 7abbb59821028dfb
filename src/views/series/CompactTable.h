#pragma once
class QTableView;

// One line of text a row, with the row height following the font, for long lists.
void setCompactRows(QTableView& table);
