#pragma once
// Makes the adjusted pictures of picture elements off the GUI thread, so that dragging a slider
// over a large photo never holds the window up. Requests made within one turn of the event loop
// go together; a request made while a pass runs waits for it and then takes the settings as they
// stand by then, so the latest value wins; a result whose element changed meanwhile is dropped.
// While requests keep coming, an element whose picture is larger than a preview is shown from a
// copy at most kPicturePreviewMaxPoints on its longer side; once they stop it is made again from
// its own pixels, which is what output draws.
#include <QFutureWatcher>
#include <QHash>
#include <QImage>
#include <QList>
#include <QObject>
#include <QThreadPool>
#include <functional>
#include <memory>

#include "filters/PictureSettings.h"

class SKTImage;

class AdjustedPictureRenderer : public QObject {
    Q_OBJECT
public:
    // shown runs on the GUI thread whenever new pictures went into their elements; settled once
    // every picture asked for is in place, each from its element's own pixels.
    explicit AdjustedPictureRenderer(std::function<void()> shown, std::function<void()> settled = {},
                                     QObject* parent = nullptr);
    ~AdjustedPictureRenderer() override;

    // The elements' adjusted pictures from their settings as they will stand when the pass starts.
    void request(const QList<std::shared_ptr<SKTImage>>& images);
    // Nothing asked for and nothing being made.
    bool isIdle() const;
    // Waits until every picture asked for is in its element, whole-size ones included.
    void finish();

    struct Job {
        std::weak_ptr<SKTImage> image;
        qint64 contentsKey = 0;  // the element's loaded picture when the job started
        QImage source;           // what the chain runs on
        bool shrinkFirst = false;
        PictureSettings settings;
    };
    struct Result {
        QImage adjusted;
        QImage shrunkSource;  // the preview copy the job made, kept for the next passes
    };

private:
    void startPreviewPass();
    void previewPassDone();
    void startWholePass();
    void wholePassDone();
    // Puts the results whose elements are unchanged in place; true when any was.
    bool apply(const QList<Job>& jobs, const QList<Result>& results);
    void settleWhenIdle();

    std::function<void()> m_shown;
    std::function<void()> m_settled;
    bool m_working = false;
    QList<std::weak_ptr<SKTImage>> m_asked;
    QList<std::weak_ptr<SKTImage>> m_wholeWanted;
    bool m_passQueued = false;
    QHash<qint64, QImage> m_previewCopies;  // by the loaded picture's cacheKey
    QThreadPool m_previewLane;
    QThreadPool m_wholeLane;
    QList<Job> m_previewJobs;
    QList<Job> m_wholeJobs;
    QFutureWatcher<QList<Result>> m_previewWatcher;
    QFutureWatcher<QList<Result>> m_wholeWatcher;
    // Until the pass's results are handled: a watcher's future may be finished before then.
    bool m_previewRunning = false;
    bool m_wholeRunning = false;
};
