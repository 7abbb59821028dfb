#pragma once
class QObject;

// Enables or disables a widget. A plain QLabel or QLineEdit also gets the normal or disabled
// text colour; a plain QGroupBox passes the flag on to the widgets inside it.
void SetObjEnabled(QObject* object, bool flag);
