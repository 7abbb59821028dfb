#include "designfile/DesignFingerprint.h"

#include <QCryptographicHash>

#include "data/Data_From_Excel.h"
#include "model/Card_Property.h"
#include "model/SKTDocument.h"

namespace {

// Every piece goes in with its length, so that neighbouring pieces cannot trade bytes.
class Digest {
public:
    void add(const QByteArray& bytes)
    {
        const qint64 size = bytes.size();
        m_hash.addData(QByteArrayView(reinterpret_cast<const char*>(&size), sizeof size));
        m_hash.addData(bytes);
    }
    void add(const QString& text) { add(text.toUtf8()); }
    void addElements(const GraphicList& elements)
    {
        add(QByteArray::number(elements.size()));
        for (const GraphicPtr& element : elements)
            add(element ? element->archiveDigest() : QByteArray());
    }
    QByteArray result() const { return m_hash.result(); }

private:
    QCryptographicHash m_hash{QCryptographicHash::Sha256};
};

}  // namespace

QByteArray Design_Fingerprint(const SKTDocument& document, const Card_Property& front, const Card_Property& back,
                              const QString& cardSides, const Data_From_Excel& table)
{
    Digest digest;
    digest.addElements(document.graphics());
    digest.addElements(document.graphics_back());
    digest.add(front.archiveDigest());
    digest.add(back.archiveDigest());
    digest.add(cardSides);
    digest.add(QByteArray(Excel_Binding_Use ? "1" : "0"));
    digest.add(Excel_Source_Path);
    const QStringList titles = table.ColList.titles();
    digest.add(QByteArray::number(titles.size()));
    for (const QString& title : titles)
        digest.add(title);
    digest.add(QByteArray::number(table.ListData.size()));
    for (const DataRow& row : table.ListData) {
        digest.add(QByteArray::number(row.size()));
        for (auto cell = row.cbegin(); cell != row.cend(); ++cell) {
            digest.add(cell.key());
            digest.add(cell.value());
        }
    }
    return digest.result();
}
