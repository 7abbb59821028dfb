#pragma once
// What every benchmark shares: timing, paired rounds against a peer, the lines scripts read, and a
// few inputs.
//   ratio NAME ours/peer = X (ours A, peer B, n runs) min-max ours ..., peer ...; peer = WHAT
//   budget NAME: MEASURE = X, target <= T: MET|MISSED
// Both sides of a ratio are timed the same way: both in-process, or both as whole processes
// (runProcess), interleaved round by round so that a slow spell of the machine hits both alike.
#include <QByteArray>
#include <QColor>
#include <QElapsedTimer>
#include <QImage>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// Benchmarks draw without a screen unless QT_QPA_PLATFORM says otherwise; call before the application.
void preferOffscreenPlatform();
// The program's first argument as a count of at least 1 (rounds, frames, repetitions); the
// fallback without one.
int countArgument(int argc, char** argv, int fallback);

// A photo stand-in: a diagonal ramp between the two colours with a face-coloured oval in the middle.
QImage rampWithFace(int width, int height, const QColor& from = QColor(200, 170, 140), const QColor& to = QColor(40, 60, 90));
// 0, 1, ... count - 1: the places of a whole side's elements.
QList<int> firstIndexes(int count);

double median(std::vector<double> values);
// The process's peak resident memory so far, in megabytes.
double peakMemoryMb();
// The same since the process started its program: in a child process, getrusage's maximum would
// carry the parent's over the exec.
double peakMemorySinceExecMb();

template <typename Work>
double timedMs(Work work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

// Durations of one side, in seconds.
struct Timings {
    std::vector<double> seconds;
    double median() const;
    double min() const;
    double max() const;
};

// One side of a comparison. setUp runs untimed before every timed run (fresh inputs, for one).
struct BenchSide {
    std::function<void()> work;
    std::function<void()> setUp = {};
};

struct Rounds {
    int count = 15;
    int warmUps = 1;        // untimed pairs first: caches, lazy loading, the file system
    int callsPerRound = 1;  // short work repeats within one timed round; times are per call
};

struct PairedTimings {
    Timings ours;
    Timings peer;
    double ratio() const;
};

// Runs ours, peer, ours, peer, ... and times each run with the same clock.
PairedTimings runPairedRounds(const Rounds& rounds, const BenchSide& ours, const BenchSide& peer);

// "12.3 ms": the unit chosen from the size of the value.
QByteArray formatDuration(double seconds);

void printRatio(const char* name, const PairedTimings& timings, const char* peerName);
// A measure against its target, one verdict line. A missed target never fails the run.
void printBudget(const char* name, const char* measure, double value, double target, const char* unit = "");

// Runs a program to its end. False, with its error output shown, when it does not exit 0.
bool runProcess(const QString& program, const QStringList& arguments, QByteArray* standardOutput = nullptr);

// A peer kept running between rounds, so its start-up stays out of the timings: it answers each
// request line with one line, "ok" when the work is done.
class PeerWorker {
public:
    // Waits for the worker's first line, which says it is ready.
    PeerWorker(const QString& program, const QStringList& arguments);
    ~PeerWorker();
    bool isReady() const { return m_ready; }
    bool request(const QByteArray& line);

private:
    QByteArray replyLine();

    QProcess m_process;
    bool m_ready = false;
};
