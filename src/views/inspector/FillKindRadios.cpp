#include "views/inspector/FillKindRadios.h"

#include <QAbstractButton>

#include "views/inspector/ShowQuietly.h"

namespace {

const QString kSolid = QStringLiteral("S");
const QString kGradient = QStringLiteral("G");
const QString kPattern = QStringLiteral("H");
const QString kPicture = QStringLiteral("I");

}  // namespace

void FillKindRadios::show(const QString& kind) const
{
    QAbstractButton* radio = kind == kGradient ? gradient : kind == kPattern ? pattern : kind == kPicture ? picture : solid;
    showQuietly(radio != nullptr ? *radio : *solid, true);
}

QString FillKindRadios::chosen() const
{
    for (const auto& [radio, kind] : {std::pair{gradient, kGradient}, std::pair{pattern, kPattern}, std::pair{picture, kPicture}}) {
        if (radio != nullptr && radio->isChecked())
            return kind;
    }
    return kSolid;
}
