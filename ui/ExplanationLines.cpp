#include "ui/ExplanationLines.h"

#include <QFont>
#include <QFontMetrics>
#include <QString>

#include <algorithm>

int ExplanationLineHeight(const QFont& font)
{
    const QFontMetrics metrics(font);
    // Glyphs that fill the whole character cell, above and below.
    const int glyphs = metrics.boundingRect(QStringLiteral("第国爱")).height();
    return std::max(metrics.lineSpacing(), glyphs + 1);
}
