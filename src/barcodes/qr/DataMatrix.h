#pragma once
// A square grid of QR Code modules (1 dark, 0 light) as the QR encoder hands it over; despite
// its name it carries no Data Matrix symbology.
#include <QString>
#include <cstdint>
#include <vector>

class DataMatrix {
public:
    explicit DataMatrix(int dimension);

    // x is the column, y the row from the top.
    void set(int8_t value, int x, int y);
    int8_t valueAt(int x, int y) const;
    int dimension() const { return _dimension; }
    // One line per row from the top, each module's value with no separator.
    QString description() const;

private:
    int _dimension = 0;
    std::vector<int8_t> _data;  // row by row
};
