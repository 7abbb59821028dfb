#include "barcodes/qr/DataMatrix.h"

DataMatrix::DataMatrix(int dimension)
    : _dimension(dimension > 0 ? dimension : 0), _data(size_t(_dimension) * size_t(_dimension), 0)
{
}

void DataMatrix::set(int8_t value, int x, int y)
{
    _data[size_t(y) * size_t(_dimension) + size_t(x)] = value;
}

int8_t DataMatrix::valueAt(int x, int y) const
{
    return _data[size_t(y) * size_t(_dimension) + size_t(x)];
}

QString DataMatrix::description() const
{
    QString text;
    for (int y = 0; y < _dimension; ++y) {
        for (int x = 0; x < _dimension; ++x)
            text += QString::number(valueAt(x, y));
        text += QLatin1Char('\n');
    }
    return text;
}
