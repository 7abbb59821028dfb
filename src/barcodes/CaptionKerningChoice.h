#pragma once
// The barcode window's kerning box: one choice for the captions of every barcode, not a setting of
// one element (an element stores no field for it). It is kept in the user's configuration
// (barcodes.ini), so that it outlives the window, a saved and reopened design, a restart and a
// record run alike; every picture made, on any thread, reads it when its settings are loaded.
class CaptionKerningChoice {
public:
    // Checked: captions drawn without the extra letter spacing.
    static bool checked();
    // Takes the choice at once and keeps it in the configuration.
    static void setChecked(bool checked);
    // Forgets the choice held, so that the next read takes it from the configuration again, as
    // a new run does.
    static void reload();
};
