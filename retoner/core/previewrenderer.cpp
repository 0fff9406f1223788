#include "previewrenderer.h"

#include "imageentry.h"
#include "tonepipeline.h"

#include <platform/filenames.h>

#include <QCoreApplication>
#include <QElapsedTimer>

namespace retoner {

void convertPreview(const PreviewJob &job, ColorLutCache &luts, const cv::Mat &source, cv::Mat &result)
{
    result.release();
    try {
        if (job.isColor && job.settings.color.correctionEnabled)
            luts.lutFor(job.settings.correction);
        if (!toneConvert(job.settings, luts.lut(), source, result, job.isColor, job.averageSize.width(),
                         job.averageSize.height()))
            result.release();
    } catch (const cv::Exception &) {
        result.release();
    } catch (const std::bad_alloc &) {
        result.release();
    }
}

QImage toImage(const cv::Mat &bgr)
{
    if (bgr.empty() || bgr.type() != CV_8UC3)
        return {};
    return QImage(bgr.data, bgr.cols, bgr.rows, static_cast<qsizetype>(bgr.step), QImage::Format_BGR888).copy();
}

PreviewRenderer::PreviewRenderer(QObject *parent) : QObject(parent)
{
    m_pool.setMaxThreadCount(1);
}

PreviewRenderer::~PreviewRenderer()
{
    m_pending.reset();
    m_pool.waitForDone();
}

void PreviewRenderer::request(const PreviewJob &job)
{
    m_pending = Pending{job, ++m_generation};
    if (!m_running)
        startNext();
}

void PreviewRenderer::clear()
{
    ++m_generation;
    m_pending.reset();
}

bool PreviewRenderer::waitForIdle(int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (!isIdle()) {
        if (timer.elapsed() > milliseconds)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        m_pool.waitForDone(10);
    }
    QCoreApplication::processEvents();
    return true;
}

bool PreviewRenderer::readSource(const QString &path)
{
    const platform::PathInfo info = platform::pathInfo(path);
    if (path == m_sourcePath && !m_source.empty() && info.modifiedNs == m_sourceModified
        && info.size == m_sourceSize)
        return true;
    m_source.release();
    m_sourceImage = QImage();
    m_sourcePath.clear();
    if (!readPicture(path, m_source))
        return false;
    m_sourceImage = toImage(m_source);
    m_sourcePath = path;
    m_sourceModified = info.modifiedNs;
    m_sourceSize = info.size;
    return true;
}

void PreviewRenderer::startNext()
{
    if (!m_pending)
        return;
    const Pending pending = *m_pending;
    m_pending.reset();
    m_running = true;
    m_pool.start([this, pending] {
        QImage source, converted;
        const bool read = readSource(pending.job.path);
        if (read) {
            cv::Mat result;
            convertPreview(pending.job, m_luts, m_source, result);
            source = m_sourceImage;
            converted = toImage(result);
        }
        QMetaObject::invokeMethod(
            this, [this, generation = pending.generation, source, converted, read] {
                finished(generation, source, converted, read);
            },
            Qt::QueuedConnection);
    });
}

void PreviewRenderer::finished(quint64 generation, const QImage &source, const QImage &converted, bool read)
{
    m_running = false;
    if (generation == m_generation)
        emit previewReady(source, converted, read);
    startNext();
}

} // namespace retoner
