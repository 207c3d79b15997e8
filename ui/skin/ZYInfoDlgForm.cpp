#include "ui/skin/ZYInfoDlgForm.h"

#include "ui/skin/MessageBoxLook.h"
#include "ui/skin/SkinResources.h"
#include "ui/skin/ZYForm.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QToolButton>
#include <QWindow>

#include <algorithm>
#include <array>

namespace {

// The result code travels with its button, as a tag.
constexpr char kTagProperty[] = "Tag";

constexpr int kMinWidth = 230;
constexpr int kMinHeight = 120;
constexpr int kFourButtonWidth = 300;
// Distances kept to the bottom and right edges, as the dialog has them at 288 x 120.
constexpr int kButtonsAboveBottom = 66;
constexpr int kButton1FromRight = 21;
constexpr int kButtonWidth = 60;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 5;
constexpr int kCloseFromRight = 7;
constexpr int kCloseTop = 5;
constexpr int kCloseWidth = 15;
constexpr int kCloseHeight = 17;
constexpr int kImageLeft = 4;
constexpr int kImageTop = 30;
constexpr int kImageWidth = 69;
constexpr int kImageBelowBottom = 70;

struct ButtonFace {
    const char* caption;
    int code;
};

// Captions and codes of the standard sets, in the order of their numbers, button 1 (rightmost)
// first; an empty caption hides its button.
constexpr std::array<std::array<ButtonFace, 4>, kMbFirstCustomSet> kButtonSets{{
    {{{"确定", kIdOk}, {"", 0}, {"", 0}, {"", 0}}},                           // kMbOk
    {{{"取消", kIdCancel}, {"确定", kIdOk}, {"", 0}, {"", 0}}},               // kMbOkCancel
    {{{"忽略", kIdIgnore}, {"重试", kIdRetry}, {"终止", kIdAbort}, {"", 0}}}, // kMbAbortRetryIgnore
    {{{"取消", kIdCancel}, {"否", kIdNo}, {"是", kIdYes}, {"", 0}}},          // kMbYesNoCancel
    {{{"否", kIdNo}, {"是", kIdYes}, {"", 0}, {"", 0}}},                      // kMbYesNo
    {{{"取消", kIdCancel}, {"重试", kIdRetry}, {"", 0}, {"", 0}}},            // kMbRetryCancel
}};
static_assert(kMbOk == 0 && kMbOkCancel == 1 && kMbAbortRetryIgnore == 2 && kMbYesNoCancel == 3 &&
              kMbYesNo == 4 && kMbRetryCancel == 5 && kMbFirstCustomSet == 6);

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QPoint pos)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    // Words from the list may look like markup; they are always shown as they are.
    label->setTextFormat(Qt::PlainText);
    label->move(pos);
    return label;
}

TZYButton* MakeButton(QWidget* parent, const char* name, const char* caption)
{
    auto* button = new TZYButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QLatin1String(name));
    button->setProperty(kTagProperty, 0);
    return button;
}

void AutoSize(QLabel* label, const QString& text)
{
    label->setText(text);
    label->resize(label->sizeHint());
}

} // namespace

TZYInfoDlgForm::TZYInfoDlgForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      Label_Title(MakeLabel(this, "Label_Title", QStringLiteral("提示信息"), {112, 9})),
      Image1(MakeLabel(this, "Image1", QString(), {kImageLeft, kImageTop})),
      Label_Text(MakeLabel(this, "Label_Text", QString(), {75, 33})),
      ZYButton1(MakeButton(this, "ZYButton1", "cancel")), ZYButton2(MakeButton(this, "ZYButton2", "no")),
      ZYButton3(MakeButton(this, "ZYButton3", "yes")), ZYButton4(MakeButton(this, "ZYButton4", "ZYButton4")),
      SpeedButton1(new QToolButton(this)), ZYForm1(new TZYForm(this))
{
    setObjectName(QStringLiteral("ZYInfoDlgForm"));
    setWindowTitle(QStringLiteral("ZYinfoDlg"));
    setModal(true);

    DressLikeMessageBox(*this, *ZYForm1, *Label_Title, *this);

    Image1->setAlignment(Qt::AlignCenter);

    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    const QPixmap closeMark = QPixmap::fromImage(ResourceImage(QStringLiteral("ZYInfoDlgClose")));
    SpeedButton1->setIcon(closeMark);
    SpeedButton1->setIconSize(closeMark.size());
    SpeedButton1->setToolTip(QStringLiteral("关闭"));
    SpeedButton1->setAutoRaise(true);
    SpeedButton1->setFocusPolicy(Qt::NoFocus);
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { ZYButton1Click(SpeedButton1); });

    for (TZYButton* button : {ZYButton1, ZYButton2, ZYButton3, ZYButton4})
        connect(button, &TZYButton::clicked, this, [this, button] { ZYButton1Click(button); });
    SetFocusOrder(-1);

    // Every anchored child keeps the distances it has at the created size, 288 x 120.
    setMinimumSize(kMinWidth, kMinHeight);
    Image1->resize(kImageWidth, 0);
    SetDialogSize(288, kMinHeight);
    move(355, 342);
    ZYForm1->Loaded();
}

void TZYInfoDlgForm::InitMessageBox(const QString& text, const QString& caption, int flags)
{
    ZYButton2->setVisible(true);
    ZYButton3->setVisible(true);
    SetButtonSet(flags & kMbButtonSetMask);
    SetFocusOrder((flags & kMbDefaultButtonMask) >> kMbDefaultButtonShift);
    SetIcon((flags & kMbIconMask) >> kMbIconShift);

    AutoSize(Label_Title, caption);
    QString lines = text;
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    AutoSize(Label_Text, lines);

    int width = std::max(Label_Text->width() + Image1->width() + 20, kMinWidth);
    const int height = std::max(Label_Text->height() + 100, kMinHeight);
    if (!ZYButton4->isHidden())
        width = std::max(width, kFourButtonWidth);
    SetDialogSize(width, height);

    Label_Title->move((width - Label_Title->width()) / 2, Label_Title->y());
    int textLeft = (width - Label_Text->width()) / 2;
    if (Image1->width() >= textLeft)
        textLeft = Image1->width();
    Label_Text->move(textLeft, (ZYButton1->y() + Image1->y() - Label_Text->height()) / 2);

    FResult = kIdCancel;
}

void TZYInfoDlgForm::ZYButton1Click(QObject* sender)
{
    const auto* button = qobject_cast<TZYButton*>(sender);
    FResult = ButtonTag(button ? button : ZYButton1);
    accept();
}

TZYButton* TZYInfoDlgForm::Button(int number) const
{
    const std::array<TZYButton*, 4> buttons{ZYButton1, ZYButton2, ZYButton3, ZYButton4};
    return buttons.at(static_cast<std::size_t>(number - 1));
}

int TZYInfoDlgForm::ButtonTag(const QPushButton* button)
{
    return button->property(kTagProperty).toInt();
}

void TZYInfoDlgForm::SetButtonSet(int set)
{
    if (set < kMbFirstCustomSet) {
        const auto& faces = kButtonSets[static_cast<std::size_t>(set)];
        for (int number = 1; number <= 4; ++number) {
            const ButtonFace& face = faces[static_cast<std::size_t>(number - 1)];
            TZYButton* button = Button(number);
            button->setText(QString::fromUtf8(face.caption));
            button->setProperty(kTagProperty, face.code);
            button->setVisible(face.caption[0] != '\0');
        }
        return;
    }
    // Custom captions: the code is the place counted from the right, from 0.
    for (int number = 1; number <= 4; ++number) {
        TZYButton* button = Button(number);
        button->setProperty(kTagProperty, number - 1);
        button->setVisible(!button->text().isEmpty());
    }
}

void TZYInfoDlgForm::SetFocusOrder(int defaultButton)
{
    // Left to right by design; the default button, if it names one, moves to the front.
    std::array<TZYButton*, 4> order{ZYButton4, ZYButton3, ZYButton2, ZYButton1};
    if (defaultButton >= 0 && defaultButton <= 3) {
        const auto chosen = std::find(order.begin(), order.end(), Button(defaultButton + 1));
        std::rotate(order.begin(), chosen, chosen + 1);
    }
    for (std::size_t i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
    // The first visible button in that order has the focus when the dialog opens.
    const auto first = std::find_if(order.begin(), order.end(), [](TZYButton* b) { return !b->isHidden(); });
    if (first != order.end())
        (*first)->setFocus(Qt::TabFocusReason);
}

void TZYInfoDlgForm::SetIcon(int icon)
{
    if (icon == 0) {
        Image1->resize(0, Image1->height());
        return;
    }
    // Icon numbers without a picture leave an empty place of the full width.
    const QPixmap picture = TransparentPicture(QStringLiteral("ZYINFODLGICON%1").arg(icon));
    if (!picture.isNull())
        Image1->setPixmap(picture);
}

void TZYInfoDlgForm::SetDialogSize(int width, int height)
{
    // A hidden dialog gets its resize event only when shown; its children must follow now.
    resize(width, height);
    FollowAnchors();
}

void TZYInfoDlgForm::FollowAnchors()
{
    const int buttonsTop = height() - kButtonsAboveBottom;
    for (int number = 1; number <= 4; ++number) {
        const int right = width() - kButton1FromRight - (number - 1) * (kButtonWidth + kButtonGap);
        Button(number)->setGeometry(right - kButtonWidth, buttonsTop, kButtonWidth, kButtonHeight);
    }
    SpeedButton1->setGeometry(width() - kCloseFromRight - kCloseWidth, kCloseTop, kCloseWidth, kCloseHeight);
    Image1->setGeometry(kImageLeft, kImageTop, Image1->width(), height() - kImageBelowBottom - kImageTop);
}

void TZYInfoDlgForm::keyPressEvent(QKeyEvent* event)
{
    // Escape has no binding here: only a button, the close glyph or the window system closes.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TZYInfoDlgForm::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    FollowAnchors();
}

bool TZYInfoDlgForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Label_Title && event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        Label_TitleMouseDown(press->globalPosition().toPoint(), press->button());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TZYInfoDlgForm::Label_TitleMouseDown(QPoint pressedAt, Qt::MouseButton button)
{
    ZYForm1->DragWindow(pressedAt, button);
}
