#include "barcodes/datamatrix/OutputCapture.h"

#include <cstdio>
#include <sys/mman.h>
#include <unistd.h>

OutputCapture::OutputCapture()
{
    std::fflush(stdout);
    std::fflush(stderr);
    m_file = memfd_create("library-output", MFD_CLOEXEC);
    if (m_file < 0)
        return;
    m_savedOut = dup(STDOUT_FILENO);
    m_savedErr = dup(STDERR_FILENO);
    if (m_savedOut < 0 || m_savedErr < 0 || dup2(m_file, STDOUT_FILENO) < 0 || dup2(m_file, STDERR_FILENO) < 0)
        restore();
}

OutputCapture::~OutputCapture()
{
    restore();
    if (m_file >= 0)
        close(m_file);
}

QByteArray OutputCapture::finish()
{
    restore();
    QByteArray text;
    if (m_file < 0 || lseek(m_file, 0, SEEK_SET) != 0)
        return text;
    char buffer[4096];
    for (ssize_t n; (n = read(m_file, buffer, sizeof buffer)) > 0;)
        text.append(buffer, qsizetype(n));
    return text;
}

void OutputCapture::restore()
{
    // The library's text may still wait in the C streams' buffers.
    std::fflush(stdout);
    std::fflush(stderr);
    if (m_savedOut >= 0) {
        dup2(m_savedOut, STDOUT_FILENO);
        close(m_savedOut);
        m_savedOut = -1;
    }
    if (m_savedErr >= 0) {
        dup2(m_savedErr, STDERR_FILENO);
        close(m_savedErr);
        m_savedErr = -1;
    }
}
