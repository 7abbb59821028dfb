#pragma once
// A value of every barcode symbology, in the order of the symbology list, that each symbology
// encodes: what the tests, the probes and the benchmarks make symbols of. The 2-D symbologies
// get text beyond ASCII.
#include <QStringList>

inline const QStringList& barcodeSampleValues()
{
    static const QStringList values = {
        QStringLiteral("CODE-39"),      QStringLiteral("Hi, you!"),    QStringLiteral("12345678"),
        QStringLiteral("03600029145"),  QStringLiteral("12345678901"), QStringLiteral("1234"),
        QStringLiteral("12AB"),         QStringLiteral("1234567890"),  QStringLiteral("400638133393"),
        QStringLiteral("Hello World"),  QStringLiteral("ABCaDEF"),     QStringLiteral("abc{|}~"),
        QStringLiteral("12345678"),     QStringLiteral("A1234B"),      QStringLiteral("0425261"),
        QStringLiteral("9638507"),      QStringLiteral("SN34RD1A"),    QStringLiteral("12345678901"),
        QStringLiteral("1234567-8A"),   QStringLiteral("Grüße — 名前 42"), QStringLiteral("Grüße, Zoë"),
        QStringLiteral("Привет Zoë 42")};
    return values;
}
