#include "ReadableColours.h"

#include <algorithm>
#include <cmath>

namespace corvane {

namespace {

double relativeLuminance(const QColor &c)
{
    auto channel = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = c.toRgb();
    return 0.2126 * channel(rgb.redF()) + 0.7152 * channel(rgb.greenF()) +
           0.0722 * channel(rgb.blueF());
}

} // namespace

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableColour(const QColor &wanted, const QColor &background, double minimumRatio)
{
    if (contrastRatio(wanted, background) >= minimumRatio)
        return wanted;
    const bool darkBackground = relativeLuminance(background) < 0.18;
    const QColor hsl = wanted.toHsl();
    const double hue = hsl.hslHueF();
    const double saturation = hsl.hslSaturationF();
    double lightness = hsl.lightnessF();
    QColor candidate = wanted;
    for (int step = 0; step < 100; ++step) {
        lightness = std::clamp(lightness + (darkBackground ? 0.01 : -0.01), 0.0, 1.0);
        candidate = QColor::fromHslF(hue < 0 ? 0 : hue, saturation, lightness).toRgb();
        // A little above the minimum, so that it still holds once the colour
        // is rounded to 8 bits a channel.
        if (contrastRatio(candidate, background) >= minimumRatio + 0.05)
            return candidate;
        if (lightness <= 0.0 || lightness >= 1.0)
            break;
    }
    // Even white or black does not reach it (a mid-grey background): take the
    // one of the two that stands out more.
    return contrastRatio(Qt::white, background) >= contrastRatio(Qt::black, background)
               ? QColor(Qt::white)
               : QColor(Qt::black);
}

} // namespace corvane
