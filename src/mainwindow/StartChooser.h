#pragma once
// The small modal window in which every new project begins: the user picks how to start, and the
// answer becomes the run's start mode Start_Card_Option.
#include <QDialog>

class StartChooser : public QDialog {
    Q_OBJECT
public:
    explicit StartChooser(QWidget* parent = nullptr);

    // Index 0 to 4 picks "T", "W", "L", "V", "G" and accepts; another index leaves the mode as it is.
    void Select_card_option(int index);
    // Empties the mode and rejects; the caller quits the application.
    void CancelClick();
};
