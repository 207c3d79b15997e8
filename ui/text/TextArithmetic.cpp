#include "ui/text/TextArithmetic.h"

#include <cmath>

int FloorRound(long double x)
{
    return static_cast<int>(std::nearbyint(x - 0.4999L));
}

QString StripAccelerators(const QString& text)
{
    QString stripped;
    stripped.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'&')
            stripped += text[i];
        else if (i + 1 < text.size() && text[i + 1] == u'&')
            stripped += text[++i];
    }
    return stripped;
}

QStringList SplitLines(const QString& text)
{
    if (text.isEmpty())
        return {};
    return text.split(QStringLiteral("\r\n"));
}

int NormalisedRotation(int degrees)
{
    return degrees >= 0 ? degrees % 360 : 360 + degrees % 360;
}

const std::array<QPoint, 8>& OrientationSteps()
{
    static const std::array<QPoint, 8> steps{QPoint(1, 1), QPoint(-1, 1), QPoint(1, -1), QPoint(-1, -1),
                                             QPoint(0, 1), QPoint(-1, 0), QPoint(1, 0),  QPoint(0, -1)};
    return steps;
}

QPoint OrientationStep(TfcOrientation orientation)
{
    return OrientationSteps()[static_cast<std::size_t>(orientation)];
}

QColor ExtrusionLayerColor(QColor near, QColor far, int layer, int depth, bool striated)
{
    const auto channel = [&](int nearValue, int farValue) {
        const long double ramp =
            (nearValue - farValue) / (static_cast<long double>(depth) / layer) + farValue;
        const int value = FloorRound(ramp);
        return striated && layer % 2 == 0 ? value / 4 : value;
    };
    return QColor(channel(near.red(), far.red()), channel(near.green(), far.green()),
                  channel(near.blue(), far.blue()));
}
