#pragma once
// The items of a part of shared strings built straight from the parser's events, without a
// document per item: each item ("si") the text of every run ("t") inside it, phonetic runs
// ("rPh") left out, as an inline string's text is read.
#include <QString>
#include <array>
#include <functional>
#include <string>

#include "data/SpreadsheetXml.h"
#include "data/XmlPieceReader.h"

class SharedItemBuilder : public XmlPieceReader::Builder {
public:
    // Each item's text as it ends; false stops the read.
    using ItemDone = std::function<bool(QString text)>;
    explicit SharedItemBuilder(ItemDone done) : _done(std::move(done)) {}

    bool start(const char* name, const char** attributes) override;
    void text(std::string& text) override;
    void end() override;
    bool taken() override;

private:
    // The depths of the open run containers below the item, or kRunText for a run's text.
    static constexpr int kRunText = -1;
    static constexpr int kMaxOpen = SpreadsheetXml::kMaxTextDepth + 3;
    ItemDone _done;
    std::array<int, kMaxOpen> _open{};
    int _depth = 0;
    int _passedOver = 0;  // how deep inside an element passed over the read stands
    std::string _text;
};
