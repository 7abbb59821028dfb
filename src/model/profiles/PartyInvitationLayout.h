#pragma once
// The invitation card: title, greeting, message, date and time, venue, sender, a photo and a frame
// picture over the whole card, laid out top-down from the front card's size.
#include <QList>
#include <QRectF>
#include <QString>

#include "model/SKTGraphic.h"
#include "model/profiles/ProfileCanvas.h"

struct PartyInvitationDetails {
    QString title, to, message, date, time, venue, from;
    QString photoPath, framePath;
};

struct PartyInvitationItem {
    GraphicKind kind;
    QString ctrlId;  // "PARTY_TITLE" ...
    QRectF rect;
    QString value;  // the text, or the picture's path
    bool operator==(const PartyInvitationItem&) const = default;
};

// The elements for the present values, in creation order. Widths and the photo stay on the card
// however small it is.
QList<PartyInvitationItem> Party_Invitation_Layout(const PartyInvitationDetails& details, QRectF card);

// The details the invitation wizard left (the Invite_ values).
PartyInvitationDetails Party_Invitation_From_Wizard();

// Creates the layout's elements on the front canvas; existing "PARTY_" elements stay as they are.
void Fill_Party_Invidation_Details(ProfileCanvas& front, const PartyInvitationDetails& details, QRectF card);
