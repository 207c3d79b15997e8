// The title label: centred on its form, white outlined text, and the pointer handed to the frame.
#include "ui/text/fcTitleLabel.h"

#include <QApplication>
#include <QMouseEvent>
#include <QResizeEvent>

#include <gtest/gtest.h>

#include <vector>

namespace {

// Stands in for the window's frame: records the mouse events it is given. Like the frame, it
// tracks the pointer, or moves without a button would not reach it.
class RecordingFrame : public QWidget {
public:
    struct Received {
        QEvent::Type type;
        QPoint at;
        Qt::MouseButton button;
        bool operator==(const Received&) const = default;
    };
    explicit RecordingFrame(QWidget* form) : QWidget(form) { setMouseTracking(true); }
    std::vector<Received> received;

protected:
    void mouseMoveEvent(QMouseEvent* event) override { Record(*event); }
    void mousePressEvent(QMouseEvent* event) override { Record(*event); }
    void mouseDoubleClickEvent(QMouseEvent* event) override { Record(*event); }

private:
    void Record(const QMouseEvent& event)
    {
        received.push_back({event.type(), event.position().toPoint(), event.button()});
        EXPECT_EQ(mapToGlobal(event.position()), event.globalPosition());
    }
};

// A form with its own resize handling, which notes where the title was when it ran.
class FormWithResizeHandler : public QWidget {
public:
    std::vector<int> titleLeftSeen;
    QWidget* title = nullptr;

protected:
    void resizeEvent(QResizeEvent*) override { titleLeftSeen.push_back(title ? title->x() : -1); }
};

struct TitledForm {
    TitledForm()
    {
        form.resize(325, 180);
        QPalette band = form.palette(); // a colour no mix of white and black can make
        band.setColor(QPalette::Window, QColor(60, 120, 200));
        form.setPalette(band);
        frame = new RecordingFrame(&form);
        frame->setGeometry(form.rect());
        title = new TfcTitleLabel(&form);
        form.title = title;
        QFont font = title->font();
        font.setPixelSize(15);
        title->setFont(font);
        title->setGeometry(102, 6, 122, 20);
        title->SetCaption("RIdavave");
        title->SetMasterCtrl(frame);
        title->Loaded();
        form.show(); // a hidden form gets its resize events only when shown
    }

    void Send(QEvent::Type type, QPoint inTitle, Qt::MouseButton button = Qt::LeftButton)
    {
        if (type == QEvent::MouseMove)
            button = Qt::NoButton;
        QMouseEvent event(type, inTitle, title->mapToGlobal(QPointF(inTitle)), button, button,
                          Qt::NoModifier);
        QApplication::sendEvent(title, &event);
    }

    FormWithResizeHandler form;
    RecordingFrame* frame;
    TfcTitleLabel* title;
};

using Received = RecordingFrame::Received;

} // namespace

TEST(fcTitleLabel, IsWhiteBoldOutlinedTransparentTextCentredOnItsForm)
{
    TitledForm titled;
    const TfcTitleLabel& title = *titled.title;
    EXPECT_TRUE(title.font().bold());
    EXPECT_EQ(title.palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(title.TextOptions().Style(), TfcLabelStyle::fclsOutline);
    EXPECT_EQ(title.TextOptions().OutlineColor(), clBlack);
    EXPECT_TRUE(title.Transparent());
    EXPECT_EQ(title.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(title.size(), title.TextOptions().CalcRect(true).size());
    EXPECT_EQ(title.x(), (325 - title.width()) / 2);
    EXPECT_EQ(title.y(), 6);

    // Fully white pixels are the middle of the glyphs: the black ring keeps the form's colour away
    // from every one of them.
    const QImage shown = titled.form.grab().toImage();
    const QColor formColour = shown.pixelColor(0, shown.height() - 1);
    int white = 0;
    for (int y = title.y(); y <= title.geometry().bottom(); ++y) {
        for (int x = title.x(); x <= title.geometry().right(); ++x) {
            if (shown.pixelColor(x, y) != Qt::white)
                continue;
            ++white;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    ASSERT_NE(shown.pixelColor(x + dx, y + dy), formColour) << x << "," << y;
                }
            }
        }
    }
    EXPECT_GT(white, 20);
}

TEST(fcTitleLabel, RecentresOnEveryResizeBeforeTheFormsOwnHandlerButNotOnACaptionChange)
{
    TitledForm titled;
    TfcTitleLabel& title = *titled.title;
    const int left = title.x();
    title.SetCaption("A longer title for the window");
    EXPECT_EQ(title.x(), left) << "the left edge stays until the form is resized";

    titled.form.titleLeftSeen.clear();
    titled.form.resize(500, 180);
    const int centred = (500 - title.width()) / 2;
    EXPECT_EQ(title.x(), centred);
    EXPECT_EQ(titled.form.titleLeftSeen, std::vector<int>{centred});

    titled.form.resize(title.width() - 40, 180);
    EXPECT_EQ(title.x(), 0) << "a form narrower than the title shows its beginning";
    EXPECT_EQ(titled.form.titleLeftSeen.size(), 2u);
}

TEST(fcTitleLabel, KeepsLeftOfTheCaptionButtonsAndAShortTitleWhereItWas)
{
    TitledForm plain;
    const QImage unbounded = plain.form.grab().toImage();
    TitledForm titled;
    auto* buttons = new QWidget(&titled.form); // transparent like the glyph buttons
    buttons->setGeometry(268, 8, 39, 12);
    buttons->show();
    titled.title->SetCaptionButtons(buttons);
    EXPECT_EQ(titled.form.grab().toImage(), unbounded);

    titled.title->SetCaption(QStringLiteral("A title that is far too long to sit here"));
    titled.form.resize(326, 180);                          // re-centres
    ASSERT_GT(titled.title->width(), 2 * (268 - 326 / 2)); // centred, it would reach the buttons
    ASSERT_LT(titled.title->width(), 268);
    EXPECT_EQ(titled.title->geometry().right(), 267) << "moved left rather than cut";
}

TEST(fcTitleLabel, HandsMovesPressesAtTheLastMovedPointAndDoubleClicksToTheFrame)
{
    TitledForm titled;
    const QPoint titleAt = titled.title->pos(); // the frame fills the form
    titled.Send(QEvent::MouseButtonPress, QPoint(30, 5));
    EXPECT_EQ(titled.frame->received,
              std::vector<Received>({{QEvent::MouseButtonPress, QPoint(0, 0), Qt::LeftButton}}))
        << "a press before any move is handed over at (0, 0)";

    titled.frame->received.clear();
    titled.Send(QEvent::MouseMove, QPoint(5, 7));
    titled.Send(QEvent::MouseButtonPress, QPoint(40, 9));
    titled.Send(QEvent::MouseButtonPress, QPoint(40, 9), Qt::RightButton);
    titled.Send(QEvent::MouseButtonDblClick, QPoint(12, 3));
    EXPECT_EQ(titled.frame->received,
              std::vector<Received>({
                  {QEvent::MouseMove, titleAt + QPoint(5, 7), Qt::NoButton},
                  {QEvent::MouseButtonPress, titleAt + QPoint(5, 7), Qt::LeftButton},
                  {QEvent::MouseButtonDblClick, titleAt + QPoint(12, 3), Qt::LeftButton},
              }));

    int doubleClicks = 0;
    QObject::connect(titled.title, &TfcTitleLabel::OnDblClick, [&] { ++doubleClicks; });
    titled.title->SetMasterCtrl(nullptr);
    titled.frame->received.clear();
    titled.Send(QEvent::MouseMove, QPoint(5, 7));
    titled.Send(QEvent::MouseButtonDblClick, QPoint(5, 7));
    EXPECT_TRUE(titled.frame->received.empty());
    EXPECT_EQ(doubleClicks, 1) << "without a frame the title is a plain label";
}
