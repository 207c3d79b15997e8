// The effect text: its measures, its layout in the area and the pixels of its looks. The font is
// drawn without antialiasing, so every copy of the text is one exact colour.
#include "ui/text/fcText.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QColor kPaper(Qt::white);
const QColor kInk(200, 0, 0);

struct TextOnPaper {
    TextOnPaper()
    {
        font.setPixelSize(20);
        font.setStyleStrategy(QFont::NoAntialias);
    }

    QImage Paint(QRect area, QSize size = {240, 160})
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(kPaper);
        QPainter painter(&image);
        text.SetAreaRect(area);
        text.Draw(painter);
        return image;
    }

    QFontMetrics Metrics() const { return QFontMetrics(font); }

    QFont font{QStringLiteral("DejaVu Sans")};
    bool enabled = true;
    int repaints = 0;
    int resizes = 0;
    TfcCaptionText text{TfcText::Owner{
        [this] { ++repaints; },
        [this] { ++resizes; },
        [this] { return enabled; },
        [this] { return font; },
        [] { return kInk; },
    }};
};

// The bounding rectangle of the pixels that `matches`.
QRect Bounds(const QImage& image, const std::function<bool(QColor)>& matches)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (matches(image.pixelColor(x, y)))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

QRect InkBounds(const QImage& image)
{
    return Bounds(image, [](QColor c) { return c != kPaper; });
}

QRect ColourBounds(const QImage& image, QColor colour)
{
    return Bounds(image, [&](QColor c) { return c == colour; });
}

} // namespace

TEST(fcText, OutlineAddsOnePixelEachSideAndTopAlignmentCutsTheAreaToTheText)
{
    TextOnPaper paper;
    paper.text.SetText("Title");
    const QSize text(paper.Metrics().horizontalAdvance("Title"), paper.Metrics().height());
    EXPECT_EQ(paper.text.GetTextSize(), text);
    EXPECT_EQ(paper.text.CalcRect(true).size(), text);
    paper.text.SetStyle(TfcLabelStyle::fclsOutline);
    EXPECT_EQ(paper.text.CalcRect(true).size(), text + QSize(2, 2));

    const QImage image = paper.Paint(QRect(10, 20, 200, 100));
    EXPECT_EQ(paper.text.AreaRect(), QRect(10, 20, text.width() + 2, text.height() + 2));
    EXPECT_EQ(paper.text.DrawRect().topLeft(), QPoint(11, 21)); // centred in what is left
    EXPECT_TRUE(paper.text.AreaRect().contains(InkBounds(image)));

    paper.text.SetAlignment(TAlignment::taRightJustify);
    paper.text.SetVAlignment(TfcVAlignment::vaBottom);
    paper.Paint(QRect(10, 20, 200, 100));
    EXPECT_EQ(paper.text.AreaRect(),
              QRect(210 - text.width() - 2, 120 - text.height() - 2, text.width() + 2, text.height() + 2));
}

TEST(fcText, OutlineRingSurroundsEveryGlyphPixel)
{
    TextOnPaper paper;
    paper.text.SetText("Wg&&8");
    paper.text.SetStyle(TfcLabelStyle::fclsOutline);
    paper.text.SetOutlineColor(RgbColor(0, 0, 255));
    const QColor ring(0, 0, 255);
    const QImage image = paper.Paint(QRect(0, 0, 240, 160));

    int glyphPixels = 0;
    for (int y = 1; y + 1 < image.height(); ++y) {
        for (int x = 1; x + 1 < image.width(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            ASSERT_TRUE(colour == kPaper || colour == kInk || colour == ring) << x << "," << y;
            bool inkNeighbour = false;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    const QColor neighbour = image.pixelColor(x + dx, y + dy);
                    inkNeighbour = inkNeighbour || neighbour == kInk;
                    if (colour == kInk) {
                        ASSERT_NE(neighbour, kPaper) << "glyph pixel " << x << "," << y << " open to paper";
                    }
                }
            }
            if (colour == ring) {
                ASSERT_TRUE(inkNeighbour) << "ring pixel " << x << "," << y << " away from the glyphs";
            }
            glyphPixels += colour == kInk;
        }
    }
    EXPECT_GT(glyphPixels, 50);
}

TEST(fcText, DisabledOutlineDrawsTheRingInTheDisabledShadeAndTheTextInTheDisabledHighlight)
{
    TextOnPaper paper;
    paper.text.SetText("Off");
    paper.text.SetStyle(TfcLabelStyle::fclsOutline);
    paper.text.DisabledColors().SetShadeColor(RgbColor(0, 128, 0));
    paper.text.DisabledColors().SetHighlightColor(RgbColor(255, 255, 0));
    paper.enabled = false;
    const QImage image = paper.Paint(QRect(0, 0, 240, 160));

    EXPECT_FALSE(ColourBounds(image, QColor(0, 128, 0)).isEmpty());
    EXPECT_FALSE(ColourBounds(image, QColor(255, 255, 0)).isEmpty());
    EXPECT_TRUE(ColourBounds(image, kInk).isEmpty());
    EXPECT_TRUE(ColourBounds(image, Qt::black).isEmpty());
}

TEST(fcText, EmbossedCopiesSitUpLeftAndDownRightAndADisabledTextIsEngraved)
{
    TextOnPaper paper;
    paper.text.SetText("I");
    paper.text.SetHighlightColor(RgbColor(0, 255, 0));
    paper.text.SetShadeColor(RgbColor(0, 0, 255));
    paper.text.SetStyle(TfcLabelStyle::fclsRaised);
    QImage image = paper.Paint(QRect(0, 0, 240, 160));
    const QRect glyph = ColourBounds(image, kInk);
    EXPECT_EQ(ColourBounds(image, QColor(0, 255, 0)).topLeft(), glyph.topLeft() - QPoint(1, 1));
    EXPECT_EQ(ColourBounds(image, QColor(0, 0, 255)).bottomRight(), glyph.bottomRight() + QPoint(1, 1));

    paper.text.SetStyle(TfcLabelStyle::fclsLowered);
    image = paper.Paint(QRect(0, 0, 240, 160));
    EXPECT_EQ(ColourBounds(image, QColor(0, 0, 255)).topLeft(), glyph.topLeft() - QPoint(1, 1));
    EXPECT_EQ(ColourBounds(image, QColor(0, 255, 0)).bottomRight(), glyph.bottomRight() + QPoint(1, 1));

    paper.text.SetStyle(TfcLabelStyle::fclsDefault);
    paper.text.DisabledColors().SetShadeColor(RgbColor(90, 90, 90));
    paper.text.DisabledColors().SetHighlightColor(RgbColor(250, 250, 250));
    paper.enabled = false;
    image = paper.Paint(QRect(0, 0, 240, 160));
    EXPECT_EQ(ColourBounds(image, QColor(90, 90, 90)), glyph);
    EXPECT_EQ(ColourBounds(image, QColor(250, 250, 250)), glyph.translated(1, 1));
    EXPECT_EQ(InkBounds(image), glyph.adjusted(0, 0, 1, 1));
}

TEST(fcText, RotationIsNormalisedAndAWholeTurnIsLaidOutLikeNone)
{
    TextOnPaper paper;
    paper.text.SetText("Turn");
    paper.text.SetAlignment(TAlignment::taRightJustify);
    paper.text.SetVAlignment(TfcVAlignment::vaBottom);
    paper.text.SetRotation(-90);
    EXPECT_EQ(paper.text.Rotation(), 270);
    paper.text.SetRotation(450);
    EXPECT_EQ(paper.text.Rotation(), 90);
    const QImage quarter = paper.Paint(QRect(0, 0, 240, 160));

    paper.text.SetRotation(-360);
    EXPECT_EQ(paper.text.Rotation(), 360);
    const QImage wholeTurn = paper.Paint(QRect(0, 0, 240, 160));
    paper.text.SetRotation(0);
    EXPECT_EQ(wholeTurn, paper.Paint(QRect(0, 0, 240, 160)));
    EXPECT_GT(InkBounds(wholeTurn).left(), 160) << "right-justified, as alignment applies";
    EXPECT_NE(quarter, wholeTurn);
}

TEST(fcText, RotatedTextIgnoresAlignmentAndIsCentredOnTheArea)
{
    TextOnPaper paper;
    paper.text.SetText("Sideways");
    paper.text.SetRotation(90);
    const QRect area(20, 10, 200, 140);
    const QImage leftTop = paper.Paint(area);
    EXPECT_EQ(paper.text.AreaRect(), area);
    paper.text.SetAlignment(TAlignment::taRightJustify);
    paper.text.SetVAlignment(TfcVAlignment::vaBottom);
    EXPECT_EQ(paper.Paint(area), leftTop);

    const QRect ink = InkBounds(leftTop);
    EXPECT_GT(ink.height(), ink.width()) << "the text runs upwards";
    EXPECT_NEAR(ink.center().x(), area.center().x(), 4);
    EXPECT_NEAR(ink.center().y(), area.center().y(), 4);
}

TEST(fcText, AcceleratorsMeasureAsDrawnOnlyWithShowAccel)
{
    TextOnPaper paper;
    const QFontMetrics metrics = paper.Metrics();
    const auto width = [&](const QString& text) {
        paper.text.SetText(text);
        return paper.text.GetTextSize().width();
    };
    EXPECT_EQ(width("a&&b"), metrics.horizontalAdvance("a&b"));
    EXPECT_EQ(width("a&b"), metrics.horizontalAdvance("ab"));
    const QImage shownAmpersand = paper.Paint(QRect(0, 0, 240, 160));

    paper.text.SetOptions({});
    EXPECT_EQ(width("a&&b"), metrics.horizontalAdvance("a&&b"));
    EXPECT_EQ(width("a&b"), metrics.horizontalAdvance("a&b"));
    const QImage literal = paper.Paint(QRect(0, 0, 240, 160));
    paper.text.SetOptions(TfcTextOption::toShowAccel);
    paper.text.SetText("a&&b");
    EXPECT_EQ(paper.Paint(QRect(0, 0, 240, 160)), literal) << "'&&' with accelerators draws as '&' without";
    EXPECT_GT(InkBounds(literal).width(), InkBounds(shownAmpersand).width());
}

TEST(fcText, LinesFollowEachOtherWithTheirSpacingAndNoneAfterTheLast)
{
    TextOnPaper paper;
    const int lineHeight = paper.Metrics().height();
    paper.text.SetText("cd");
    const int cdTop = InkBounds(paper.Paint(QRect(0, 0, 240, 160))).top();

    paper.text.SetText("ab\r\ncd");
    EXPECT_EQ(paper.text.LineSpacing(), 5);
    EXPECT_EQ(paper.text.GetTextSize().height(), 2 * lineHeight + 5);
    const QImage twoLines = paper.Paint(QRect(0, 0, 240, 160));
    const QRect secondLine = InkBounds(twoLines.copy(0, lineHeight, 240, 160 - lineHeight));
    EXPECT_EQ(lineHeight + secondLine.top(), cdTop + lineHeight + 5);
}

TEST(fcText, ShadowAgainstTheExtrusionDoesNotCountInTheLayoutButIsStillDrawnAtItsOffsets)
{
    TextOnPaper paper;
    paper.text.SetText("Deep");
    paper.text.Shadow().SetEnabled(true);
    paper.text.Shadow().SetColor(RgbColor(0, 160, 0));
    EXPECT_EQ(paper.text.ShadowOffset(), QPoint(10, 10));
    paper.text.ExtrudeEffects().SetEnabled(true);
    paper.text.ExtrudeEffects().SetNearColor(RgbColor(0, 0, 255));
    paper.text.ExtrudeEffects().SetFarColor(RgbColor(0, 0, 255));
    EXPECT_EQ(paper.text.ExtrudeEffects().Orientation(), TfcOrientation::fcBottomRight);
    EXPECT_EQ(paper.text.ShadowOffset(), QPoint(0, 0));
    EXPECT_EQ(paper.text.GetEffectsSize(true), paper.text.GetTextSize() + QSize(10, 10));

    const QImage image = paper.Paint(QRect(0, 0, 240, 160));
    const QRect glyphs = ColourBounds(image, kInk);
    EXPECT_EQ(ColourBounds(image, QColor(0, 160, 0)).bottomRight(), glyphs.bottomRight() + QPoint(10, 10));
    paper.text.Shadow().SetEnabled(false);
    const QImage layers = paper.Paint(QRect(0, 0, 240, 160));
    EXPECT_EQ(ColourBounds(layers, QColor(0, 0, 255)).bottomRight(), glyphs.bottomRight() + QPoint(9, 9))
        << "the layers trail down and right behind the text";

    paper.text.Shadow().SetEnabled(true);
    paper.text.ExtrudeEffects().SetOrientation(TfcOrientation::fcTopLeft);
    EXPECT_EQ(paper.text.ShadowOffset(), QPoint(10, 10));
}

TEST(fcText, EllipsisAndWordWrapKeepLongLinesInTheArea)
{
    TextOnPaper paper;
    paper.text.SetText("a rather long caption");
    const QRect narrow(0, 0, 80, 160);
    EXPECT_GT(InkBounds(paper.Paint(narrow)).right(), 80) << "lines are not clipped";
    paper.text.SetOptions(TfcTextOption::toShowAccel | TfcTextOption::toShowEllipsis);
    EXPECT_LT(InkBounds(paper.Paint(narrow)).right(), 80);

    paper.text.SetOptions(TfcTextOption::toShowAccel);
    paper.text.SetWordWrap(true);
    paper.text.SetAreaRect(narrow);
    EXPECT_LE(paper.text.GetTextSize().width(), 80);
    EXPECT_GE(paper.text.GetTextSize().height(), 3 * paper.Metrics().height());
}

TEST(fcText, ChangesRepaintAndThoseThatChangeTheSizeReMeasure)
{
    TextOnPaper paper;
    const auto notified = [&](const std::function<void()>& change) {
        paper.repaints = paper.resizes = 0;
        change();
        return std::pair(paper.repaints, paper.resizes);
    };
    TfcText& text = paper.text;
    EXPECT_EQ(notified([&] { text.SetStyle(TfcLabelStyle::fclsDefault); }), std::pair(0, 0));
    EXPECT_EQ(notified([&] { text.SetStyle(TfcLabelStyle::fclsOutline); }), std::pair(1, 1));
    EXPECT_EQ(notified([&] { text.SetRotation(0); }), std::pair(1, 1)) << "even unchanged";
    EXPECT_EQ(notified([&] { text.SetAlignment(TAlignment::taCenter); }), std::pair(1, 0));
    EXPECT_EQ(notified([&] { text.SetWordWrap(true); }), std::pair(1, 0));
    EXPECT_EQ(notified([&] { text.SetOptions({}); }), std::pair(1, 1));
    EXPECT_FALSE(text.DrawFlags() & Qt::TextShowMnemonic);
    EXPECT_EQ(notified([&] { text.Shadow().SetColor(clBlack); }), std::pair(1, 0));
    EXPECT_EQ(notified([&] { text.Shadow().SetYOffset(3); }), std::pair(1, 1));
    EXPECT_EQ(notified([&] { text.ExtrudeEffects().SetStriated(true); }), std::pair(1, 0));
    EXPECT_EQ(notified([&] { text.ExtrudeEffects().SetDepth(4); }), std::pair(1, 1));
    EXPECT_EQ(notified([&] { text.DisabledColors().SetShadeColor(clBlack); }), std::pair(1, 0));
    EXPECT_EQ(notified([&] { text.SetText("quiet"); }), std::pair(0, 0));
}

TEST(fcText, CopyingTakesTheLookButNotTheAlignmentWrapOrDisabledColours)
{
    TextOnPaper from;
    TextOnPaper to;
    from.text.SetText("copy");
    from.text.SetStyle(TfcLabelStyle::fclsRaised);
    from.text.SetRotation(30);
    from.text.SetLineSpacing(9);
    from.text.SetOutlineColor(clWhite);
    from.text.Shadow().SetEnabled(true);
    from.text.Shadow().SetXOffset(-4);
    from.text.ExtrudeEffects().SetOrientation(TfcOrientation::fcTop);
    from.text.SetAlignment(TAlignment::taCenter);
    from.text.SetVAlignment(TfcVAlignment::vaBottom);
    from.text.SetWordWrap(true);
    from.text.DisabledColors().SetShadeColor(clWhite);
    to.text.Assign(from.text);

    EXPECT_EQ(to.text.Text(), "copy");
    EXPECT_EQ(to.text.Style(), TfcLabelStyle::fclsRaised);
    EXPECT_EQ(to.text.Rotation(), 30);
    EXPECT_EQ(to.text.LineSpacing(), 9);
    EXPECT_EQ(to.text.OutlineColor(), clWhite);
    EXPECT_TRUE(to.text.Shadow().Enabled());
    EXPECT_EQ(to.text.Shadow().XOffset(), -4);
    EXPECT_EQ(to.text.ExtrudeEffects().Orientation(), TfcOrientation::fcTop);
    EXPECT_EQ(to.text.Alignment(), TAlignment::taLeftJustify);
    EXPECT_EQ(to.text.VAlignment(), TfcVAlignment::vaTop);
    EXPECT_FALSE(to.text.WordWrap());
    EXPECT_EQ(to.text.DisabledColors().ShadeColor(), clBtnShadow);
}
