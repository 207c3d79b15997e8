// The skinned frame on a real form: zones and cursors from the pointer, moving and sizing by hand
// where no window manager runs, the double-click in the band, the grey look of an inactive window
// and the chain of the application's handlers.
#include "ui/skin/ZYForm.h"

#include "ui/ApplicationEvents.h"
#include "ui/skin/SkinResources.h"
#include "ui/text/fcTitleLabel.h"

#include <QFile>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <memory>
#include <utility>

namespace {

// A borderless form with the main window's skin and minimum size, shown offscreen.
struct SkinnedForm {
    explicit SkinnedForm(bool sizeable, TZYForm::Handler onDblClick = nullptr)
    {
        form.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        form.setMinimumSize(325, 180);
        form.setGeometry(100, 100, 400, 250);
        frame = new TZYForm(&form);
        frame->SetPicture(ResourceSkin(QStringLiteral("FormMainSkin")));
        frame->SetSizeable(sizeable);
        frame->OnDblClick = std::move(onDblClick);
        frame->Loaded();
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    QWindow* Window() const { return form.windowHandle(); }
    void Move(QPoint at) const { QTest::mouseMove(Window(), at); }
    // A press, one move by `by` and the release, through the window as the system delivers them.
    // The release comes at the screen point of the move, wherever the window went meanwhile.
    void Drag(QPoint from, QPoint by, Qt::MouseButton button = Qt::LeftButton) const
    {
        const QPoint to = form.mapToGlobal(from + by);
        QTest::mousePress(Window(), button, {}, from);
        QTest::mouseMove(Window(), from + by);
        QTest::mouseRelease(Window(), button, {}, form.mapFromGlobal(to));
    }

    QWidget form;
    TZYForm* frame;
};

bool IsGrey(QRgb pixel)
{
    return qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel);
}

QRgb BandPixel(const TZYForm& frame)
{
    return frame.Skin().Image().pixel(60, 10);
}

QByteArray DamagedDialogSkin()
{
    QFile file(ResourcePath(QStringLiteral("ZYInfoDlgSkin")));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray data = file.readAll();
    // A later scan of the progressive file turned into a second start of picture: the header
    // still reads, the decoding fails.
    data[data.lastIndexOf("\xFF\xDA") + 1] = char(0xD8);
    return data;
}

} // namespace

TEST(ZYForm, ThePointerFindsTheZonesAndTheirCursors)
{
    SkinnedForm sized(true);
    const struct {
        QPoint at;
        THitZone zone;
        Qt::CursorShape cursor;
    } sizeable[] = {
        {{100, 2}, THitZone::Top, Qt::SizeVerCursor},
        {{100, 10}, THitZone::Caption, Qt::PointingHandCursor},
        {{10, 10}, THitZone::TopLeft, Qt::SizeFDiagCursor},
        {{390, 10}, THitZone::TopRight, Qt::SizeBDiagCursor},
        {{0, 100}, THitZone::Left, Qt::SizeHorCursor},
        {{398, 240}, THitZone::BottomRight, Qt::SizeFDiagCursor},
        {{100, 248}, THitZone::Bottom, Qt::SizeVerCursor},
        {{100, 100}, THitZone::None, Qt::ArrowCursor},
    };
    for (const auto& point : sizeable) {
        sized.Move(point.at);
        EXPECT_EQ(sized.frame->HitZone(), point.zone) << point.at.x() << "," << point.at.y();
        EXPECT_EQ(sized.frame->cursor().shape(), point.cursor) << point.at.x() << "," << point.at.y();
    }

    SkinnedForm fixed(false);
    for (const QPoint at : {QPoint(100, 2), QPoint(10, 10), QPoint(390, 24)}) {
        fixed.Move(at);
        EXPECT_EQ(fixed.frame->HitZone(), THitZone::Caption) << at.x() << "," << at.y();
    }
    for (const QPoint at : {QPoint(0, 100), QPoint(398, 240), QPoint(100, 25)}) {
        fixed.Move(at);
        EXPECT_EQ(fixed.frame->HitZone(), THitZone::None) << at.x() << "," << at.y();
        EXPECT_EQ(fixed.frame->cursor().shape(), Qt::ArrowCursor);
    }
}

TEST(ZYForm, PressesMoveAndSizeTheFormByHandWithinItsMinimumSize)
{
    SkinnedForm skinned(true);
    QWidget& form = skinned.form;
    const QRect start = form.geometry();

    skinned.Drag({100, 10}, {30, 20});
    EXPECT_EQ(form.geometry(), start.translated(30, 20)) << "the band moves";

    const QRect moved = form.geometry();
    skinned.Drag({398, 248}, {-30, -20});
    EXPECT_EQ(form.geometry(), moved.adjusted(0, 0, -30, -20)) << "the bottom-right corner sizes";

    const QRect smaller = form.geometry();
    skinned.Drag({5, 5}, {20, 10});
    EXPECT_EQ(form.geometry(), smaller.adjusted(20, 10, 0, 0)) << "the top-left corner sizes";

    const QRect before = form.geometry();
    skinned.Drag({1, 120}, {200, 0});
    EXPECT_EQ(form.geometry().right(), before.right()) << "the right edge stays";
    EXPECT_EQ(form.width(), 325) << "no narrower than the minimum";
    skinned.Drag({100, form.height() - 1}, {0, -100});
    EXPECT_EQ(form.height(), 180);

    const QRect kept = form.geometry();
    QTest::mouseClick(skinned.Window(), Qt::LeftButton, {}, {100, 10});
    QTest::mouseClick(skinned.Window(), Qt::LeftButton, {}, {form.width() - 2, form.height() - 2});
    skinned.Move({160, 40});
    EXPECT_EQ(form.geometry(), kept) << "a click moves nothing, nor does the pointer after it";
    skinned.Drag({100, 10}, {30, 20}, Qt::RightButton);
    skinned.Drag({form.width() - 2, form.height() - 2}, {-30, -20}, Qt::RightButton);
    EXPECT_EQ(form.geometry(), kept) << "the right button starts nothing";

    // A press on another control of the form that hands the move to the frame.
    QWidget title(&form);
    title.setGeometry(150, 5, 60, 15);
    title.show();
    QTest::mousePress(&title, Qt::LeftButton, {}, {5, 5});
    skinned.frame->DragWindow(title.mapToGlobal(QPoint(5, 5)));
    QTest::mouseMove(&title, {15, 0});
    QTest::mouseRelease(&title, Qt::LeftButton, {}, {15, 0});
    EXPECT_EQ(form.pos(), kept.topLeft() + QPoint(10, -5));
}

TEST(ZYForm, NothingReactsWhileMaximisedAndADoubleClickInTheBandToggles)
{
    int handled = 0;
    SkinnedForm skinned(true, [&handled](QObject*) { ++handled; });
    QWidget& form = skinned.form;
    TZYForm& frame = *skinned.frame;

    QTest::mouseDClick(skinned.Window(), Qt::LeftButton, {}, {100, 10});
    EXPECT_TRUE(form.isMaximized());
    EXPECT_EQ(handled, 1) << "the handler found by Loaded runs after the toggle";
    const QRect maximised = form.geometry();
    for (const QPoint at : {QPoint(100, 2), QPoint(100, 10), QPoint(2, 2)}) {
        skinned.Move(at);
        EXPECT_EQ(frame.HitZone(), THitZone::None);
        EXPECT_EQ(frame.cursor().shape(), Qt::ArrowCursor);
        skinned.Drag(at, {30, 20});
        EXPECT_EQ(form.geometry(), maximised);
    }

    QTest::mouseDClick(skinned.Window(), Qt::LeftButton, {}, {100, 10});
    EXPECT_FALSE(form.isMaximized());
    QTest::mouseDClick(skinned.Window(), Qt::LeftButton, {}, {100, 100});
    EXPECT_FALSE(form.isMaximized()) << "below the band";
    QTest::mouseDClick(skinned.Window(), Qt::RightButton, {}, {100, 10});
    EXPECT_FALSE(form.isMaximized()) << "the right button";
    EXPECT_EQ(handled, 3);

    frame.SetSizeable(false);
    QTest::mouseDClick(skinned.Window(), Qt::LeftButton, {}, {100, 10});
    EXPECT_FALSE(form.isMaximized()) << "a form that is not sizeable keeps its size";
    EXPECT_EQ(handled, 4);
}

TEST(ZYForm, TheTitleHandsItsPointerToTheFrame)
{
    SkinnedForm skinned(true);
    QWidget& form = skinned.form;
    auto* title = new TfcTitleLabel(&form);
    title->setGeometry(140, 6, 122, 20);
    title->SetCaption(QStringLiteral("RIdavave"));
    title->SetMasterCtrl(skinned.frame);
    title->Loaded();
    title->show();
    const QPoint onTitle = title->geometry().center();

    skinned.Move(onTitle);
    EXPECT_EQ(skinned.frame->HitZone(), THitZone::Caption);
    const QRect start = form.geometry();
    skinned.Drag(onTitle, {-30, 25});
    EXPECT_EQ(form.geometry(), start.translated(-30, 25)) << "dragging the title moves the form";

    skinned.Move(onTitle);
    QTest::mouseDClick(skinned.Window(), Qt::LeftButton, {}, onTitle);
    EXPECT_TRUE(form.isMaximized());
    QTest::mouseDClick(skinned.Window(), Qt::LeftButton, {}, title->geometry().center());
    EXPECT_FALSE(form.isMaximized());
}

TEST(ZYForm, GreyWhileInactiveInColourWhenActiveOrResized)
{
    SkinnedForm skinned(true);
    TZYForm& frame = *skinned.frame;
    skinned.form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&skinned.form));
    EXPECT_TRUE(frame.ActiveLook());
    const QRgb colour = BandPixel(frame);
    EXPECT_FALSE(IsGrey(colour));

    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_FALSE(frame.ActiveLook());
    const int grey = int(0.30L * qRed(colour)) + int(0.59L * qGreen(colour)) + int(0.11L * qBlue(colour));
    EXPECT_EQ(BandPixel(frame), qRgb(grey, grey, grey));
    EXPECT_EQ(skinned.form.grab().toImage().pixel(60, 10), qRgb(grey, grey, grey)) << "and painted so";

    skinned.form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&skinned.form));
    EXPECT_EQ(BandPixel(frame), colour);

    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    ASSERT_TRUE(IsGrey(BandPixel(frame)));
    skinned.form.resize(500, 300);
    QApplication::processEvents();
    EXPECT_EQ(frame.Skin().Width(), 500);
    EXPECT_EQ(BandPixel(frame), colour) << "a resize renders in colour";

    // The application's activation asks the form whether it is active.
    skinned.form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&skinned.form));
    frame.SetActiveLook(false);
    TApplicationEvents::Instance().Activate();
    EXPECT_TRUE(frame.ActiveLook());
}

TEST(ZYForm, ApplicationHandlersChainAndComeBackInReverseOrder)
{
    TApplicationEvents& application = TApplicationEvents::Instance();
    int activations = 0;
    int deactivations = 0;
    application.OnActivate = [&activations](QObject* sender) {
        EXPECT_EQ(sender, qApp);
        ++activations;
    };
    application.OnDeactivate = [&deactivations](QObject*) { ++deactivations; };
    const auto fire = [&] {
        application.Activate();
        application.Deactivate();
        return std::pair(activations, deactivations);
    };

    QWidget form;
    auto first = std::make_unique<TZYForm>(&form);
    auto second = std::make_unique<TZYForm>(&form);
    EXPECT_EQ(fire(), std::pair(1, 1)) << "nothing hooked before Loaded";
    first->Loaded();
    second->Loaded();
    EXPECT_EQ(fire(), std::pair(2, 2)) << "each frame calls on the handler it found";
    second.reset();
    EXPECT_EQ(fire(), std::pair(3, 3));
    first.reset();
    EXPECT_EQ(fire(), std::pair(4, 4));

    // Destroyed in the order of loading: the handler the later frame puts back belongs to a frame
    // that is gone, and passes the events on.
    first = std::make_unique<TZYForm>(&form);
    second = std::make_unique<TZYForm>(&form);
    first->Loaded();
    second->Loaded();
    first.reset();
    second.reset();
    EXPECT_EQ(fire(), std::pair(5, 5));
    application.OnActivate = nullptr;
    application.OnDeactivate = nullptr;
}

TEST(ZYForm, ADamagedPictureLeavesThePlainFace)
{
    QWidget form;
    form.resize(288, 120);
    TZYForm frame(&form);
    EXPECT_NO_THROW(
        frame.SetPicture(TSkinPicture(TJpegImage(DamagedDialogSkin(), QStringLiteral("skin.jpg")))));
    EXPECT_TRUE(frame.Skin().Empty());
    EXPECT_NE(frame.RenderError().indexOf(QStringLiteral("skin.jpg")), -1)
        << frame.RenderError().toStdString();
    form.resize(300, 130);
    form.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_FALSE(form.grab().isNull());

    frame.SetPicture(ResourceSkin(QStringLiteral("ZYInfoDlgSkin")));
    EXPECT_EQ(frame.Skin().Width(), 300);
    EXPECT_TRUE(frame.RenderError().isEmpty());
    EXPECT_EQ(ResourceSkin(QStringLiteral("NoSuchSkin")).Width(), 0);
}
