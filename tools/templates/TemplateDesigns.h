#pragma once
// The shipped template library as a table: each design's category, name, layout, colours and
// sample texts. Each design is made in a landscape "(h)" and a portrait "(v)" file.
#include <QColor>
#include <QList>

#include "CardElements.h"

namespace templates {

// The arrangements the designs share; each lays out a landscape and a portrait front.
enum class Layout {
    Band,      // a header band across the top, the photo beside (or under) it
    Sidebar,   // a coloured panel holding the photo, the texts beside (or below) it
    Panel,     // a gradient card with a white panel holding the photo and the texts
    Minimal,   // a white card with an accent edge and the photo on the right (or top)
};

struct Palette {
    QColor deep;    // headers, names
    QColor main;    // bands and panels
    QColor light;   // card grounds
    QColor accent;  // stripes and titles
};

struct TemplateDesign {
    const char* category;  // folder: employee, student, visitor, event, membership
    const char* name;      // file name before " (h)" or " (v)", lower case
    Layout layout;
    Palette colours;
    bool paperBadge;  // the paper badge of the event category rather than a CR80 card
    const char* organisation;
    const char* cardTitle;  // "EMPLOYEE", "VISITOR" ...
    const char* holder;
    const char* role;
    const char* idLabel;
    const char* idValue;
    const char* validity;
    Code code;
    // A Code 128's value is the number the card shows. The symbol keeps its width whatever it
    // later shows: a value typed into the barcode window grows it to the right, a record's or a
    // visitor's value grows it about its centre, so the template's own value is as long as the
    // numbers it makes room for, and never of digits alone (a shorter set of pairs). A visitor
    // pass's symbol, of either kind, is its pass number, which the desk's typing replaces.
    const char* codeValue;
    const char* terms;    // the back's conditions of use
    const char* address;  // the back's return address, lines split by "\n"
};

const QList<TemplateDesign>& templateDesigns();

}  // namespace templates
