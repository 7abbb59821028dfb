#pragma once
// Catches what a C library prints on standard output and standard error while it runs, so that it
// can go to the log instead. The streams are the process's: while one capture is open, text that
// any other thread writes to them is caught as well, so keep captures short and one at a time.
#include <QByteArray>

class OutputCapture {
public:
    // Sends both streams into a memory file from here on; without one, nothing is caught.
    OutputCapture();
    // Puts the streams back if finish() was not called.
    ~OutputCapture();
    OutputCapture(const OutputCapture&) = delete;
    OutputCapture& operator=(const OutputCapture&) = delete;

    // Puts the streams back and answers what was written in between.
    QByteArray finish();

private:
    void restore();

    int m_file = -1;
    int m_savedOut = -1;
    int m_savedErr = -1;
};
