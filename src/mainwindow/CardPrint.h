#pragma once
// The print command: the print window for the design as it stands, whose Preview and Print
// buttons run print jobs on the window's sheet, printer and range, binding each record of the
// data in use when a data box is on.
class SKTWindowController;

void Run_Card_Print(SKTWindowController& controller);
