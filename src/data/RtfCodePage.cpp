#include "data/RtfCodePage.h"

#include <array>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/SingleByteCharacters.h"
#include "platform/StringHelpers.h"

// How the bytes of a page are read: by the characters of its 256 bytes, or by Qt's converter of
// that name.
struct RtfCodePage::Reading {
    std::array<char16_t, 256> characters{};
    bool asciiAsIs = true;  // its bytes below 0x80 are ASCII
    QByteArray converter;
};

namespace {

// Code pages are numbered below this.
constexpr int kPageNumbers = 65536;

using Reading = RtfCodePage::Reading;

Reading latin1()
{
    Reading reading;
    for (int byte = 0; byte < 256; ++byte)
        reading.characters[size_t(byte)] = char16_t(byte);
    return reading;
}

Reading readingOf(int number)
{
    const QByteArray digits = QByteArray::number(number);
    QString why;
    if (const std::optional<CharacterMap> map = singleByteCharacters(number == 10000 ? QByteArray("macintosh") : "cp" + digits, &why)) {
        Reading reading;
        for (int byte = 0; byte < 256; ++byte) {
            const int character = (*map)[size_t(byte)];
            reading.characters[size_t(byte)] = character >= 0 && character <= 0xFFFF ? char16_t(character) : u'\uFFFD';
            reading.asciiAsIs = reading.asciiAsIs && (byte >= 0x80 || character == byte);
        }
        return reading;
    }
    for (const QByteArray& name : {"windows-" + digits, "cp" + digits}) {
        if (QStringDecoder(name.constData()).isValid()) {
            Reading reading;
            reading.converter = name;
            return reading;
        }
    }
    return latin1();
}

// Each number is looked up once a process: a document may name pages by the million. A number
// that names no page shares the reading of Latin-1.
const Reading& cachedReadingOf(int number)
{
    static const Reading kLatin1 = latin1();
    if (number < 0 || number >= kPageNumbers)
        return kLatin1;
    static std::mutex mutex;
    static std::unordered_map<int, const Reading*> readings;
    static std::vector<std::unique_ptr<const Reading>> pages;
    const std::lock_guard lock(mutex);
    const auto [at, added] = readings.try_emplace(number, &kLatin1);
    if (added) {
        Reading reading = readingOf(number);
        if (reading.converter.isEmpty() && reading.characters == kLatin1.characters)
            return kLatin1;
        pages.push_back(std::make_unique<const Reading>(std::move(reading)));
        at->second = pages.back().get();
    }
    return *at->second;
}

}  // namespace

RtfCodePage::RtfCodePage() { select(1252); }

void RtfCodePage::select(int number)
{
    if (number == m_number)
        return;
    m_number = number;
    m_reading = &cachedReadingOf(number);
    m_decoder = nullptr;
    if (m_reading->converter.isEmpty())
        return;
    const auto [at, added] = m_decoders.try_emplace(number);
    if (added)
        at->second = QStringDecoder(m_reading->converter.constData());
    m_decoder = &at->second;
}

void RtfCodePage::decode(QByteArrayView bytes, QString& text)
{
    const qsizetype start = text.size();
    if (m_decoder) {
        text.resize(start + m_decoder->requiredSpace(bytes.size()));
        text.resize(m_decoder->appendToBuffer(text.data() + start, bytes) - text.constData());
        return;
    }
    // ASCII, most text, as it stands in most pages.
    if (m_reading->asciiAsIs && Is_Ascii(bytes)) {
        text.append(QLatin1StringView(bytes));
        return;
    }
    text.resize(start + bytes.size());
    char16_t* out = reinterpret_cast<char16_t*>(text.data()) + start;
    for (const char byte : bytes)
        *out++ = m_reading->characters[uchar(byte)];
}
