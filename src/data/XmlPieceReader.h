#pragma once
// An XML part read as a stream (expat): only the elements the caller takes are built, one at a time, as
// small documents of their own, and everything around them is passed over. A part of hundreds
// of megabytes, which a whole document would hold many times over, costs the memory of one
// element.
#include <QString>
#include <functional>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "data/SpreadsheetXml.h"

class XmlPieceReader {
public:
    // What becomes of an element met outside any taken one.
    enum class Step {
        Enter,  // its children are met in turn
        Skip,   // passed over whole
        Take,   // handed to the visitor whole
        Stop,   // nothing after it is read
    };
    // Declares: the part declares a document type, where entities could be defined whose
    // expansion no count of the part's bytes bounds; no workbook part has one.
    enum class Result { Read, Stopped, Broken, TooLarge, Missing, Declares };
    // The local names (without prefix) of the entered elements, the root first.
    using Path = std::vector<std::string>;
    using Decide = std::function<Step(const Path& entered, std::string_view localName)>;
    // Each taken element in document order; false stops the read (Stopped).
    using Visit = std::function<bool(const pugi::xml_node& element)>;

    // Receives the events of each taken element. Text runs between two tags come as one text,
    // and only those a taken element keeps (see read).
    class Builder {
    public:
        virtual ~Builder() = default;
        // Whether the element's own text is wanted; when not, none of it is handed over.
        virtual bool start(const char* name, const char** attributes) = 0;
        // The builder may take the text (swap it away); whatever it leaves is discarded.
        virtual void text(std::string& text) = 0;
        virtual void end() = 0;
        // The taken element has ended; false stops the read (Stopped).
        virtual bool taken() = 0;
    };

    // A taken element, or any one text, tag or declaration, longer than this refuses the part.
    static constexpr qint64 kMaxPieceBytes = qint64(4) << 20;

    // Reads the part at path in whatever encoding it declares. Taken elements keep their names
    // and attributes as written and their text the way loadPart keeps it (blanks). Only the
    // root element is read. Broken when the markup is, Missing when the file cannot be opened,
    // Declares at a document type declaration, before anything it declares is read.
    static Result read(const QString& path, SpreadsheetXml::BlankText blanks, const Decide& decide, const Visit& visit);
    // The same read, each taken element's events handed to the builder instead of a document.
    static Result read(const QString& path, SpreadsheetXml::BlankText blanks, const Decide& decide, Builder& builder);

    // How a read in pieces went.
    struct PiecesResult {
        Result result = Result::Read;  // of the whole part, as read gives it
        int kept = 1;                  // the pieces, from the first, whose events make the part
        // A builder stopped the read while a later piece was still read: what the builder counted
        // may have come from a piece that is no part of the part, so the part is to be read again.
        bool uncertain = false;
    };
    // The same read in up to builders.size() pieces of at least minPieceBytes, each on a thread of
    // its own and into a builder of its own, so that a large part takes a fraction of the time.
    // A piece begins at bytes that look like the start of an element taken where the first taken
    // one named `startName` (without prefix) was; it is kept only when the piece before reaches
    // those bytes as such a start, which nothing inside a comment, a CDATA section or another
    // element does. A piece not kept goes with every piece after it, and the piece before reads
    // on in their place. `decide` is to decide by the path and the name alone. pieceEnded(i,
    // result) is called on piece i's thread once its read is over, Read when it reached the next.
    // pieceDropped(i) is called once for each piece found to be no part of the part, on the
    // thread of a piece before it, as soon as that is known: piece i may still be read, and its
    // builder handed events, until it learns so itself.
    static PiecesResult readInPieces(const QString& path, SpreadsheetXml::BlankText blanks, const Decide& decide,
                                     std::string_view startName, const std::vector<Builder*>& builders, qint64 minPieceBytes,
                                     const std::function<void(int piece, Result result)>& pieceEnded,
                                     const std::function<void(int piece)>& pieceDropped = {});
};
