#pragma once

#include "colorlutcache.h"
#include "tonesettings.h"

#include <QImage>
#include <QObject>
#include <QSize>
#include <QThreadPool>

#include <opencv2/core.hpp>

#include <optional>

namespace retoner {

// What the preview of the current image needs, copied so that it can be
// computed away from the list.
struct PreviewJob {
    QString path;
    bool isColor = true;
    QSize averageSize; // of all registered images, for the uniform size
    ToneSettings settings;
};

// The converted picture of the preview: the colour table is built first when
// the picture is colour and the correction is on. result is empty when the
// conversion refuses the size (or fails).
void convertPreview(const PreviewJob &job, ColorLutCache &luts, const cv::Mat &source, cv::Mat &result);

// A CV_8UC3 picture as a QImage of its own.
QImage toImage(const cv::Mat &bgr);

// Computes previews on a worker thread, one at a time. A newer request
// supersedes an older one: a request still waiting is replaced, and the
// result of one already running is dropped. The last picture read is kept,
// so a change of settings does not read the file again.
class PreviewRenderer : public QObject {
    Q_OBJECT
public:
    explicit PreviewRenderer(QObject *parent = nullptr);
    ~PreviewRenderer() override; // waits for the running job

    void request(const PreviewJob &job);
    // No preview wanted any more (the list became empty).
    void clear();
    bool isIdle() const { return !m_running && !m_pending; }
    // Delivers what is pending or running; false on timeout (tests, screenshots).
    bool waitForIdle(int milliseconds = 30000);

signals:
    // The newest request's result: read false when the file did not read as
    // a picture (both images null); converted null when the size was refused.
    void previewReady(const QImage &source, const QImage &converted, bool read);

private:
    struct Pending {
        PreviewJob job;
        quint64 generation = 0;
    };
    void startNext();
    void finished(quint64 generation, const QImage &source, const QImage &converted, bool read);
    // Worker side: only ever one job runs, so these need no lock.
    bool readSource(const QString &path);

    QThreadPool m_pool;
    std::optional<Pending> m_pending;
    bool m_running = false;
    quint64 m_generation = 0;

    ColorLutCache m_luts;
    cv::Mat m_source;
    QImage m_sourceImage;
    QString m_sourcePath;
    qint64 m_sourceModified = 0;
    qint64 m_sourceSize = -1;
};

} // namespace retoner
