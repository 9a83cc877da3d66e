#include "app/colours.h"

#include <QtMath>

static double luminance(const QColor& c) {
    auto channel = [](double v) {
        return v <= 0.03928 ? v / 12.92 : qPow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

QColor mutedTextColor(const QPalette& palette) {
    const QColor text = palette.color(QPalette::WindowText);
    const QColor back = palette.color(QPalette::Window);
    auto mix = [&](double t) {
        return QColor::fromRgbF(float(text.redF() + (back.redF() - text.redF()) * t),
                                float(text.greenF() + (back.greenF() - text.greenF()) * t),
                                float(text.blueF() + (back.blueF() - text.blueF()) * t));
    };
    for (double t = 0.45; t > 0.0; t -= 0.05) {
        const QColor c = mix(t);
        if (contrastRatio(c, back) >= 4.6)
            return c;
    }
    return text;
}
