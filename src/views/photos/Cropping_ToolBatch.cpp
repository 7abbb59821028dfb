// The runs of the cropping tool over its whole file list.
#include "platform/MessageBoxes.h"
#include "views/photos/Cropping_Tool.h"

void Cropping_Tool::Crop_All_Clicked()
{
    Show_Not_Available_Yet(QStringLiteral("Cropping every listed picture"));
}

void Cropping_Tool::cropListedDirectly()
{
    Show_Not_Available_Yet(QStringLiteral("Cropping every listed picture"));
}
