#pragma once
// What the rest of the window needs of a visitor or group side panel.
#include <QImage>
#include <QList>
#include <QString>

class QCheckBox;
class QWidget;

// One entry of a side panel's view_array_label or view_array_value list.
struct ProfilePanelRow {
    QString controlId;
    QWidget* input = nullptr;  // a QLineEdit for text fields, a picture view otherwise
    QCheckBox* check = nullptr;
};

// The profile panel object of one side in visitor and group modes.
class ProfileSidePanel {
public:
    virtual ~ProfileSidePanel() = default;
    virtual void Refresh_Controls() = 0;
    virtual void Set_User_Image_Control(const QString& path, const QImage& picture,
                                        const QString& ctrlId) = 0;
    virtual QList<ProfilePanelRow> view_array_label() const = 0;
    virtual QList<ProfilePanelRow> view_array_value() const = 0;
    // The profile's own fields, the date and time excepted, unchecked and empty: a rebuilt side
    // then writes back only what its elements hold.
    virtual void clearProfileFields() = 0;
};
