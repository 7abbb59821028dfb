#include "views/inspector/AdjustedPictureRenderer.h"

#include <QCoreApplication>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>

#include "filters/ImageProcesser.h"
#include "model/SKTImage.h"
#include "platform/PictureReading.h"

namespace {

// Enough previews for every picture of a card; the oldest go first.
constexpr int kMaxPreviewCopies = 32;

bool isLargerThanPreview(const QImage& picture)
{
    return std::max(picture.width(), picture.height()) > kPicturePreviewMaxPoints;
}

QList<AdjustedPictureRenderer::Result> runJobs(const QList<AdjustedPictureRenderer::Job>& jobs)
{
    QList<AdjustedPictureRenderer::Result> results;
    results.reserve(jobs.size());
    for (const AdjustedPictureRenderer::Job& job : jobs) {
        AdjustedPictureRenderer::Result result;
        QImage source = job.source;
        if (job.shrinkFirst) {
            source = source.scaled(kPicturePreviewMaxPoints, kPicturePreviewMaxPoints, Qt::KeepAspectRatio,
                                   Qt::SmoothTransformation);
            result.shrunkSource = source;
        }
        result.adjusted = ImageProcesser::Get_Processed_Image_Full_Combined(source, job.settings);
        results.append(result);
    }
    return results;
}

void addOnce(QList<std::weak_ptr<SKTImage>>& list, const std::shared_ptr<SKTImage>& image)
{
    const bool listed = std::any_of(list.cbegin(), list.cend(), [&image](const std::weak_ptr<SKTImage>& entry) {
        return entry.lock() == image;
    });
    if (!listed)
        list.append(image);
}

}  // namespace

AdjustedPictureRenderer::AdjustedPictureRenderer(std::function<void()> shown, std::function<void()> settled,
                                                 QObject* parent)
    : QObject(parent), m_shown(std::move(shown)), m_settled(std::move(settled))
{
    m_previewLane.setMaxThreadCount(1);
    m_wholeLane.setMaxThreadCount(1);
    connect(&m_previewWatcher, &QFutureWatcherBase::finished, this, &AdjustedPictureRenderer::previewPassDone);
    connect(&m_wholeWatcher, &QFutureWatcherBase::finished, this, &AdjustedPictureRenderer::wholePassDone);
}

AdjustedPictureRenderer::~AdjustedPictureRenderer()
{
    m_previewWatcher.waitForFinished();
    m_wholeWatcher.waitForFinished();
}

void AdjustedPictureRenderer::request(const QList<std::shared_ptr<SKTImage>>& images)
{
    for (const std::shared_ptr<SKTImage>& image : images)
        addOnce(m_asked, image);
    m_working = true;
    if (m_passQueued)
        return;
    m_passQueued = true;
    QTimer::singleShot(0, this, &AdjustedPictureRenderer::startPreviewPass);
}

void AdjustedPictureRenderer::startPreviewPass()
{
    m_passQueued = false;
    if (m_previewRunning)
        return;  // previewPassDone starts the next pass with what was asked meanwhile
    QList<Job> jobs;
    for (const std::weak_ptr<SKTImage>& asked : std::as_const(m_asked)) {
        const std::shared_ptr<SKTImage> image = asked.lock();
        if (!image)
            continue;
        Job job{image, image->_contents.cacheKey(), image->_contents, false, image->picture};
        if (isLargerThanPreview(job.source)) {
            const QImage copy = m_previewCopies.value(job.contentsKey);
            if (copy.isNull())
                job.shrinkFirst = true;
            else
                job.source = copy;
        }
        jobs.append(job);
    }
    m_asked.clear();
    if (jobs.isEmpty()) {
        startWholePass();
        settleWhenIdle();
        return;
    }
    m_previewJobs = jobs;
    m_previewRunning = true;
    m_previewWatcher.setFuture(QtConcurrent::run(&m_previewLane, runJobs, jobs));
}

void AdjustedPictureRenderer::previewPassDone()
{
    m_previewRunning = false;
    const QList<Job> jobs = std::exchange(m_previewJobs, {});
    const QList<Result> results = m_previewWatcher.result();
    for (int i = 0; i < jobs.size() && i < results.size(); ++i) {
        if (!results[i].shrunkSource.isNull()) {
            if (m_previewCopies.size() >= kMaxPreviewCopies)
                m_previewCopies.clear();
            m_previewCopies.insert(jobs[i].contentsKey, results[i].shrunkSource);
        }
        if (const std::shared_ptr<SKTImage> image = jobs[i].image.lock(); image && isLargerThanPreview(image->_contents))
            addOnce(m_wholeWanted, image);
    }
    const bool shown = apply(jobs, results);
    if (!m_asked.isEmpty())
        startPreviewPass();
    else
        startWholePass();
    if (shown && m_shown)
        m_shown();
    settleWhenIdle();
}

void AdjustedPictureRenderer::startWholePass()
{
    if (m_wholeRunning || m_previewRunning || m_passQueued || !m_asked.isEmpty())
        return;
    QList<Job> jobs;
    for (const std::weak_ptr<SKTImage>& wanted : std::as_const(m_wholeWanted)) {
        const std::shared_ptr<SKTImage> image = wanted.lock();
        if (image && !image->adjustedPictureIsCurrent())
            jobs.append(Job{image, image->_contents.cacheKey(), image->_contents, false, image->picture});
    }
    m_wholeWanted.clear();
    if (jobs.isEmpty())
        return;
    m_wholeJobs = jobs;
    m_wholeRunning = true;
    m_wholeWatcher.setFuture(QtConcurrent::run(&m_wholeLane, runJobs, jobs));
}

void AdjustedPictureRenderer::wholePassDone()
{
    m_wholeRunning = false;
    const QList<Job> jobs = std::exchange(m_wholeJobs, {});
    const bool shown = apply(jobs, m_wholeWatcher.result());
    // An element changed while its whole picture was being made: make it again once the
    // previews are done.
    for (const Job& job : jobs) {
        if (const std::shared_ptr<SKTImage> image = job.image.lock(); image && !image->adjustedPictureIsCurrent())
            addOnce(m_wholeWanted, image);
    }
    startWholePass();
    if (shown && m_shown)
        m_shown();
    settleWhenIdle();
}

void AdjustedPictureRenderer::settleWhenIdle()
{
    if (!m_working || !isIdle())
        return;
    m_working = false;
    if (m_settled)
        m_settled();
}

bool AdjustedPictureRenderer::apply(const QList<Job>& jobs, const QList<Result>& results)
{
    bool applied = false;
    for (int i = 0; i < jobs.size() && i < results.size(); ++i) {
        const Job& job = jobs[i];
        const std::shared_ptr<SKTImage> image = job.image.lock();
        if (!image || image->_contents.cacheKey() != job.contentsKey || !(image->picture == job.settings))
            continue;
        const QImage& source = results[i].shrunkSource.isNull() ? job.source : results[i].shrunkSource;
        image->setAdjustedPicture(results[i].adjusted, source.cacheKey(), job.settings);
        applied = true;
    }
    return applied;
}

bool AdjustedPictureRenderer::isIdle() const
{
    if (m_passQueued || !m_asked.isEmpty() || m_previewRunning || m_wholeRunning)
        return false;
    return std::none_of(m_wholeWanted.cbegin(), m_wholeWanted.cend(), [](const std::weak_ptr<SKTImage>& wanted) {
        const std::shared_ptr<SKTImage> image = wanted.lock();
        return image && !image->adjustedPictureIsCurrent();
    });
}

void AdjustedPictureRenderer::finish()
{
    while (!isIdle()) {
        if (m_passQueued)
            startPreviewPass();
        else if (!m_previewRunning && !m_wholeRunning)
            startWholePass();
        m_previewWatcher.waitForFinished();
        m_wholeWatcher.waitForFinished();
        QCoreApplication::processEvents();
    }
}
