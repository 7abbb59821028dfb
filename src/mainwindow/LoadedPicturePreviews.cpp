#include "mainwindow/LoadedPicturePreviews.h"

#include <QHash>
#include <QStringList>
#include <QtConcurrent/QtConcurrentMap>

#include "mainwindow/MainWindowUtilities.h"
#include "model/SKTImage.h"
#include "platform/PictureReading.h"

LoadedPicturePreviews::~LoadedPicturePreviews()
{
    m_previews.cancel();
    m_previews.waitForFinished();
}

void LoadedPicturePreviews::start(const GraphicList& elements)
{
    // A design read again (its markup's check left references out) starts on its new elements.
    if (m_started) {
        m_previews.cancel();
        m_previews.waitForFinished();
        m_pictures.clear();
    }
    m_started = true;
    QStringList paths;
    QHash<QString, qsizetype> known;
    for (const GraphicPtr& element : elements) {
        if (element->kind() != GraphicKind::Image)
            continue;
        element->_file_path = Check_Path_For_App_Resources(element->_file_path);
        const auto found = known.constFind(element->_file_path);
        const qsizetype preview = found != known.cend() ? *found : paths.size();
        if (found == known.cend()) {
            known.insert(element->_file_path, preview);
            paths.append(element->_file_path);
        }
        m_pictures.emplace_back(element, preview);
    }
    m_previews = QtConcurrent::mapped(std::move(paths), [](const QString& path) { return readPicturePreview(path); });
}

void LoadedPicturePreviews::give()
{
    m_previews.waitForFinished();
    const QList<QImage> previews = m_previews.results();
    for (const auto& [element, preview] : m_pictures)
        static_cast<SKTImage&>(*element).showPreview(previews.value(preview));
    m_pictures.clear();
}
