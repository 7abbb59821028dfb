#include "BenchSupport.h"

#include <sys/resource.h>

#include <QFile>
#include <QLinearGradient>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <numeric>

void preferOffscreenPlatform()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

int countArgument(int argc, char** argv, int fallback)
{
    return argc > 1 ? std::max(1, std::atoi(argv[1])) : fallback;
}

QImage rampWithFace(int width, int height, const QColor& from, const QColor& to)
{
    QImage photo(width, height, QImage::Format_RGB32);
    QPainter painter(&photo);
    QLinearGradient ramp(0, 0, width, height);
    ramp.setColorAt(0, from);
    ramp.setColorAt(1, to);
    painter.fillRect(photo.rect(), ramp);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(240, 205, 175));
    painter.drawEllipse(QRectF(width * 0.3, height * 0.2, width * 0.4, height * 0.5));
    return photo;
}

QList<int> firstIndexes(int count)
{
    QList<int> indexes(count);
    std::iota(indexes.begin(), indexes.end(), 0);
    return indexes;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double peakMemoryMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

double peakMemorySinceExecMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    }
    return 0;
}

double Timings::median() const
{
    return ::median(seconds);
}

double Timings::min() const
{
    return seconds.empty() ? 0 : *std::min_element(seconds.begin(), seconds.end());
}

double Timings::max() const
{
    return seconds.empty() ? 0 : *std::max_element(seconds.begin(), seconds.end());
}

double PairedTimings::ratio() const
{
    const double peerMedian = peer.median();
    return peerMedian > 0 ? ours.median() / peerMedian : 0;
}

namespace {

double secondsPerCall(const BenchSide& side, int calls)
{
    if (side.setUp)
        side.setUp();
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < calls; ++i)
        side.work();
    return timer.nsecsElapsed() / 1e9 / calls;
}

struct Unit {
    double perSecond;
    const char* name;
};

Unit unitFor(double seconds)
{
    if (seconds < 1e-6)
        return {1e9, "ns"};
    if (seconds < 1e-3)
        return {1e6, "us"};
    if (seconds < 1)
        return {1e3, "ms"};
    return {1, "s"};
}

QByteArray number(double value)
{
    return QByteArray::number(value, 'f', value < 10 ? 2 : 1);
}

// "min-max 11.9-13.0 us", in the unit of the side's median.
QByteArray spread(const Timings& timings)
{
    const Unit unit = unitFor(timings.median());
    return number(timings.min() * unit.perSecond) + '-' + number(timings.max() * unit.perSecond) + ' ' + unit.name;
}

}  // namespace

PairedTimings runPairedRounds(const Rounds& rounds, const BenchSide& ours, const BenchSide& peer)
{
    const int calls = std::max(1, rounds.callsPerRound);
    for (int i = 0; i < rounds.warmUps; ++i) {
        secondsPerCall(ours, calls);
        secondsPerCall(peer, calls);
    }
    PairedTimings timings;
    for (int i = 0; i < rounds.count; ++i) {
        timings.ours.seconds.push_back(secondsPerCall(ours, calls));
        timings.peer.seconds.push_back(secondsPerCall(peer, calls));
    }
    return timings;
}

QByteArray formatDuration(double seconds)
{
    const Unit unit = unitFor(seconds);
    return number(seconds * unit.perSecond) + ' ' + unit.name;
}

void printRatio(const char* name, const PairedTimings& timings, const char* peerName)
{
    std::printf("ratio %s ours/peer = %.3f (ours %s, peer %s, %d runs) min-max ours %s, peer %s; peer = %s\n", name,
                timings.ratio(), formatDuration(timings.ours.median()).constData(),
                formatDuration(timings.peer.median()).constData(), int(timings.ours.seconds.size()),
                spread(timings.ours).constData(), spread(timings.peer).constData(), peerName);
    std::fflush(stdout);
}

void printBudget(const char* name, const char* measure, double value, double target, const char* unit)
{
    std::printf("budget %s: %s = %.3f%s, target <= %.2f%s: %s\n", name, measure, value, unit, target, unit,
                value <= target ? "MET" : "MISSED");
    std::fflush(stdout);
}

bool runProcess(const QString& program, const QStringList& arguments, QByteArray* standardOutput)
{
    QProcess process;
    if (!standardOutput)
        process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, arguments);
    process.waitForFinished(-1);
    if (standardOutput)
        *standardOutput = process.readAllStandardOutput();
    const bool ok = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (!ok)
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(program), process.readAllStandardError().constData());
    return ok;
}

PeerWorker::PeerWorker(const QString& program, const QStringList& arguments)
{
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(program, arguments);
    m_ready = m_process.waitForStarted(-1) && replyLine() == "ready";
}

PeerWorker::~PeerWorker()
{
    m_process.closeWriteChannel();
    if (!m_process.waitForFinished(10000))
        m_process.kill();
}

bool PeerWorker::request(const QByteArray& line)
{
    m_process.write(line + '\n');
    return replyLine() == "ok";
}

QByteArray PeerWorker::replyLine()
{
    while (!m_process.canReadLine())
        if (!m_process.waitForReadyRead(-1))
            return {};
    return m_process.readLine().trimmed();
}
