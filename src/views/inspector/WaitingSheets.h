#pragma once
// The two sheets the main window shows during long work: the please-wait sheet while a design
// file is read, and the one-by-one progress sheet of batch export.
#include <QString>

// "It may take a while, Please wait.." over the window, painted at once.
void Show_Create_Modeless();
void Hide_Destroy_Modeless();
// The progress window of a batch run, its total captioned as given.
void Show_One_By_One_Modeless(const QString& totalCaption);
void Hide_One_By_One_Modeless();
