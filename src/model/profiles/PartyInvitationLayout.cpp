#include "model/profiles/PartyInvitationLayout.h"

#include <QScopedValueRollback>
#include <algorithm>

#include "model/profiles/ProfileFiller.h"
#include "platform/AppContext.h"

QList<PartyInvitationItem> Party_Invitation_Layout(const PartyInvitationDetails& d, QRectF card)
{
    const float cardWidth = float(card.width());
    const float cardHeight = float(card.height());
    // 40 points each side; a card too narrow for that keeps half its width for the elements.
    const float W = std::max(cardWidth - 80.0f, cardWidth / 2.0f);
    const float X = (cardWidth - W) / 2.0f;
    const float photoHeight = std::min(250.0f, cardHeight);
    const float photoTop = (cardHeight - photoHeight) / 2.0f;
    const float x = 30.0f;
    float y = 40.0f;

    QList<PartyInvitationItem> items;
    auto text = [&](const char* id, float left, float height, const QString& value) {
        items.append({GraphicKind::Text, QString::fromLatin1(id), QRectF(left, y, W, height), value});
    };
    if (!d.title.isEmpty()) {
        text("PARTY_TITLE", X, 30.0f, d.title);
        y += 50.0f;
    }
    if (!d.to.isEmpty()) {
        text("PARTY_TO", x, 20.0f, QStringLiteral("Dear %1,").arg(d.to));
        y += 30.0f;
    }
    if (!d.message.isEmpty()) {
        text("PARTY_MSG", x + 20.0f, 80.0f, d.message);
        y += 80.0f;
    }
    if (!d.date.isEmpty()) {
        text("PARTY_DATE", x, 20.0f, d.time.isEmpty() ? d.date : d.date + QStringLiteral(" at ") + d.time);
        y += 30.0f;
    } else if (!d.time.isEmpty()) {
        text("PARTY_TIME", x, 20.0f, QStringLiteral("AT ") + d.time);
        y += 60.0f;
    } else {
        y += 30.0f;
    }
    if (!d.venue.isEmpty()) {
        text("PARTY_VENUE", x, 60.0f, QStringLiteral("Venue:\n") + d.venue);
        y += 70.0f;
    } else {
        y += 20.0f;
    }
    if (!d.from.isEmpty())
        text("PARTY_FROM", X, 40.0f, QStringLiteral("From:\n") + d.from);
    if (!d.photoPath.isEmpty())
        items.append({GraphicKind::Image, QStringLiteral("PARTY_IMAGE"), QRectF(X, photoTop, W, photoHeight), d.photoPath});
    if (!d.framePath.isEmpty())
        items.append({GraphicKind::Image, QStringLiteral("PARTY_IMAGE_BG"), card, d.framePath});
    return items;
}

PartyInvitationDetails Party_Invitation_From_Wizard()
{
    return {Invite_Title, Invite_To,  Invite_Message,       Invite_Date,     Invite_Time,
            Invite_Venue, Invite_From, Invite_Frame_Pic_IMG, Invite_Frame_IMG};
}

void Fill_Party_Invidation_Details(ProfileCanvas& front, const PartyInvitationDetails& details, QRectF card)
{
    // Each picture shows its own path, never the one last chosen in the library.
    const QScopedValueRollback keepLibraryChoice(Library_Selected_Image);
    front.Set_Selected_Control_Tool(ProfileFiller::kTextTool);
    for (const PartyInvitationItem& item : Party_Invitation_Layout(details, card)) {
        if (item.kind == GraphicKind::Image) {
            front.Set_Selected_Control_Tool(ProfileFiller::kPictureTool);
            Library_Selected_Image = item.value;
        }
        front.createGraphicOfClass(item.kind, item.rect, item.value, item.ctrlId);
    }
}
