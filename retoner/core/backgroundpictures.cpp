#include "backgroundpictures.h"

#include "colorgraphs.h"
#include "tonepipeline.h"

#include <QPainter>

#include <cmath>
#include <vector>

namespace retoner {

namespace {

constexpr QRgb Guide = 0xFF808080;

void putRgb(uchar *pixel, const std::array<uchar, 3> &rgb)
{
    pixel[0] = rgb[0];
    pixel[1] = rgb[1];
    pixel[2] = rgb[2];
}

// The conversion's value only multiplies: every channel is value times what
// it is at value 1. So a hue and saturation are converted once and each
// value scales the result, with the same single-precision products and the
// same trunc(x * 255) as hsvToRgbBytes.
void putScaled(uchar *pixel, const std::array<float, 3> &unit, float value)
{
    for (int c = 0; c < 3; ++c)
        pixel[c] = static_cast<uchar>(value * unit[c] * 255.0f);
}

void drawMarker(QPainter &painter, int slot, double radius, QColor fill)
{
    const QPointF centre(slot * BackgroundPictures::MarkerSide + 16.0, 16.0);
    painter.setPen(QPen(Qt::black, 2.0));
    painter.setBrush(fill);
    painter.drawEllipse(centre, radius, radius);
}

} // namespace

const BackgroundPictures &BackgroundPictures::instance()
{
    static const BackgroundPictures pictures;
    return pictures;
}

BackgroundPictures::BackgroundPictures()
{
    constexpr int Side = DiscSide;
    constexpr double Radius = (Side - 1) / 2.0;
    for (QImage &disc : m_discs)
        disc = QImage(Side, Side, QImage::Format_RGB888);
    // One pass over the discs: the angle and radius of a pixel are the same
    // on all four, only the value differs.
#pragma omp parallel for schedule(static)
    for (int y = 0; y < Side; ++y) {
        uchar *rows[4];
        for (int l = 0; l < 4; ++l)
            rows[l] = m_discs[l].scanLine(y);
        const double dy = (Radius - y) / Radius;
        for (int x = 0; x < Side; ++x) {
            const double dx = (x - Radius) / Radius;
            const double s = std::sqrt(dx * dx + dy * dy);
            if (s > 1.0) {
                for (auto *row : rows)
                    putRgb(row + 3 * x, {0, 0, 0});
                continue;
            }
            double hue = std::atan2(dy, dx);
            if (hue < 0)
                hue += 2 * M_PI;
            // Guide rays every 30 degrees, dotted: within half a pixel of the
            // ray, every other run of three pixels along it.
            const double sector = hue / (M_PI / 6);
            const double off = std::abs(sector - std::round(sector)) * (M_PI / 6) * s * Radius;
            const bool guide = s > 0.02 && off < 0.5 && static_cast<int>(s * Radius / 3) % 2 == 0;
            const std::array<float, 3> unit = hsvToRgb(static_cast<float>(hue), static_cast<float>(s), 1.0f);
            for (int l = 0; l < 4; ++l) {
                uchar *pixel = rows[l] + 3 * x;
                if (guide)
                    putRgb(pixel, {qRed(Guide), qGreen(Guide), qBlue(Guide)});
                else
                    putScaled(pixel, unit, 0.25f * (l + 1));
            }
        }
    }

    const int guideRow = PlaneHeight - 1 - static_cast<int>(0.75 * (PlaneHeight - 1));
    std::vector<std::array<float, 3>> units(12 * PlaneWidth);
    for (int k = 0; k < 12; ++k)
        for (int x = 0; x < PlaneWidth; ++x)
            units[k * PlaneWidth + x] = hsvToRgb(k * (TwoPi / 12.0f), static_cast<float>(x) / (PlaneWidth - 1), 1.0f);
    for (QImage &plane : m_planes)
        plane = QImage(PlaneWidth, PlaneHeight, QImage::Format_RGB888);
#pragma omp parallel for schedule(static)
    for (int y = 0; y < PlaneHeight; ++y) {
        const float value = static_cast<float>(PlaneHeight - 1 - y) / (PlaneHeight - 1);
        for (int k = 0; k < 12; ++k) {
            uchar *row = m_planes[k].scanLine(y);
            for (int x = 0; x < PlaneWidth; ++x) {
                if (y == guideRow && (x / 3) % 2 == 0)
                    putRgb(row + 3 * x, {qRed(Guide), qGreen(Guide), qBlue(Guide)});
                else
                    putScaled(row + 3 * x, units[k * PlaneWidth + x], value);
            }
        }
    }

    m_hueStrip = QImage(HueStripWidth, 1, QImage::Format_RGB888);
    for (int x = 0; x < HueStripWidth; ++x)
        putRgb(m_hueStrip.scanLine(0) + 3 * x,
               hsvToRgbBytes(TwoPi * x / (HueStripWidth - 1) * 0.99999f, 1.0f, 1.0f));
    m_barStrip = QImage(BarStripWidth, 1, QImage::Format_RGB888);
    for (int x = 0; x < BarStripWidth; ++x)
        putRgb(m_barStrip.scanLine(0) + 3 * x, hsvToRgbBytes(0.0f, 0.0f, static_cast<float>(x) / (BarStripWidth - 1)));

    m_markers = QImage(4 * MarkerSide, MarkerSide, QImage::Format_ARGB32_Premultiplied);
    m_markers.fill(Qt::transparent);
    QPainter painter(&m_markers);
    painter.setRenderHint(QPainter::Antialiasing);
    drawMarker(painter, IconPlain, 9.0, QColor(160, 160, 160));
    drawMarker(painter, IconShifted, 9.0, QColor(40, 200, 60));
    drawMarker(painter, IconSelected, 14.0, QColor(255, 230, 0));
    drawMarker(painter, IconInactive, 5.0, QColor(200, 200, 200));
}

} // namespace retoner
