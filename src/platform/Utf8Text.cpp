#include "platform/Utf8Text.h"

#include <QStringDecoder>

QString textFromUtf8(QByteArrayView bytes)
{
    if (!bytes.startsWith("\xef\xbb\xbf"))
        return QString::fromUtf8(bytes);
    QStringDecoder decoder(QStringConverter::Utf8,
                           QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}
