#pragma once
// The export command: the export sheet, then a batch export of one file per record into a chosen
// folder (with the progress window and its stop button), or the design as it stands into one
// chosen file; the closing box says how many cards were written and names any file that was not.
class SKTWindowController;

void Run_Card_Export(SKTWindowController& controller);
