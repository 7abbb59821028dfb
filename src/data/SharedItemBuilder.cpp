#include "data/SharedItemBuilder.h"

#include "platform/Utf8Text.h"

using SpreadsheetXml::RunChild;

bool SharedItemBuilder::start(const char* name, const char**)
{
    if (_passedOver > 0) {
        ++_passedOver;
        return false;
    }
    if (_depth == 0) {
        _text.clear();
        _open[_depth++] = 0;
        return false;
    }
    const int parent = _open[_depth - 1];
    const RunChild child = parent == kRunText ? RunChild::None : SpreadsheetXml::runChild(parent, SpreadsheetXml::localName(name));
    if (child == RunChild::None || _depth == kMaxOpen) {
        _passedOver = 1;
        return false;
    }
    _open[_depth++] = child == RunChild::Text ? kRunText : parent + 1;
    return child == RunChild::Text;
}

void SharedItemBuilder::text(std::string& text)
{
    if (_open[_depth - 1] == kRunText)
        _text += text;
}

void SharedItemBuilder::end()
{
    if (_passedOver > 0)
        --_passedOver;
    else
        --_depth;
}

bool SharedItemBuilder::taken()
{
    return _done(textFromUtf8(QByteArrayView(_text.data(), qsizetype(_text.size()))));
}
