// The effect-text label: sizing to its text, its background, its accelerator and the pointer.
#include "ui/text/fcLabel.h"

#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

QFont PixelFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(16);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QWidget* FilledForm(QColor colour)
{
    auto* form = new QWidget;
    form->resize(300, 100);
    form->setAutoFillBackground(true);
    QPalette palette = form->palette();
    palette.setColor(QPalette::Window, colour);
    form->setPalette(palette);
    return form;
}

} // namespace

TEST(fcLabel, NewLabelIsOpaqueAndSizesItselfToItsTextKeepingTheRightEdgeWhenRightJustified)
{
    TfcLabel label;
    EXPECT_EQ(label.size(), QSize(65, 17));
    EXPECT_TRUE(label.AutoSize());
    EXPECT_FALSE(label.Transparent());

    label.setFont(PixelFont());
    label.move(100, 10);
    label.SetCaption("Caption");
    const QFontMetrics metrics(PixelFont());
    EXPECT_EQ(label.geometry(), QRect(100, 10, metrics.horizontalAdvance("Caption"), metrics.height()));
    label.TextOptions().SetStyle(TfcLabelStyle::fclsOutline);
    EXPECT_EQ(label.size(), QSize(metrics.horizontalAdvance("Caption") + 2, metrics.height() + 2));

    label.TextOptions().SetAlignment(TAlignment::taRightJustify);
    const int right = label.geometry().right();
    label.SetCaption("A much longer caption");
    EXPECT_EQ(label.geometry().right(), right);
    EXPECT_EQ(label.width(), metrics.horizontalAdvance("A much longer caption") + 2);

    label.SetAutoSize(false);
    label.SetCaption("x");
    EXPECT_EQ(label.width(), metrics.horizontalAdvance("A much longer caption") + 2);
}

TEST(fcLabel, AnOpaqueLabelPaintsItsColourUnderTheTextAndATransparentOneShowsTheForm)
{
    std::unique_ptr<QWidget> form(FilledForm(QColor(0, 0, 200)));
    auto* label = new TfcLabel(form.get());
    label->setFont(PixelFont());
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, QColor(250, 250, 0));
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    label->move(10, 10);
    label->SetCaption("Text");

    const QPoint corner = label->geometry().topLeft(); // no glyph reaches the very corner
    EXPECT_EQ(form->grab().toImage().pixelColor(corner), QColor(250, 250, 0));
    label->SetTransparent(true);
    const QImage transparent = form->grab().toImage();
    EXPECT_EQ(transparent.pixelColor(corner), QColor(0, 0, 200));
    bool textShown = false;
    for (int x = label->x(); x <= label->geometry().right(); ++x)
        for (int y = label->y(); y <= label->geometry().bottom(); ++y)
            textShown = textShown || transparent.pixelColor(x, y) == Qt::black;
    EXPECT_TRUE(textShown);
}

TEST(fcLabel, AcceleratorFocusesTheFocusControlOnlyWhenAcceleratorsAreShown)
{
    QWidget form;
    auto* first = new QLineEdit(&form);
    auto* named = new QLineEdit(&form);
    named->move(0, 40);
    auto* label = new TfcLabel(&form);
    label->move(0, 80);
    label->SetCaption("&Name");
    label->SetFocusControl(named);
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));

    label->TextOptions().SetOptions({});
    first->setFocus();
    QTest::keyClick(first, Qt::Key_N, Qt::AltModifier);
    EXPECT_TRUE(first->hasFocus()) << "no accelerator without toShowAccel";

    label->TextOptions().SetOptions(TfcTextOption::toShowAccel);
    QTest::keyClick(first, Qt::Key_N, Qt::AltModifier);
    EXPECT_TRUE(named->hasFocus());

    first->setFocus();
    label->setEnabled(false);
    QTest::keyClick(first, Qt::Key_N, Qt::AltModifier);
    EXPECT_TRUE(first->hasFocus()) << "a disabled label has no accelerator";

    delete named;
    EXPECT_EQ(label->FocusControl(), nullptr);
}

TEST(fcLabel, PointerEnteringAndLeavingAreAnnounced)
{
    TfcLabel label;
    int entered = 0;
    int left = 0;
    QObject::connect(&label, &TfcLabel::OnMouseEnter, [&] { ++entered; });
    QObject::connect(&label, &TfcLabel::OnMouseLeave, [&] { ++left; });
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(&label, &enter);
    EXPECT_EQ(std::pair(entered, left), std::pair(1, 0));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&label, &leave);
    EXPECT_EQ(std::pair(entered, left), std::pair(1, 1));
}
