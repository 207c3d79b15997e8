#include "app/FormStatistics.h"

#include "app/ProgramPlaces.h"
#include "app/ReviewPlotsModule.h"
#include "ui/FormLook.h"
#include "ui/GroupBox.h"
#include "ui/QtGbk.h"
#include "ui/skin/SkinResources.h"
#include "ui/skin/ZYButton.h"
#include "ui/skin/ZYForm.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QToolButton>
#include <QTreeWidget>

namespace {

constexpr int kDesignWidth = 600;
constexpr int kDesignHeight = 420;
constexpr int kMinWidth = 520;
constexpr int kMinHeight = 380;
// The content keeps clear of the skin's caption band and its edges.
constexpr int kContentTop = 36;
constexpr int kEdge = 10;
constexpr int kSideWidth = 200;

TGroupBox* Group(const QString& caption, QLayout* content)
{
    auto* group = new TGroupBox(caption);
    content->setContentsMargins(6, 2, 6, 6);
    group->setLayout(content);
    return group;
}

QLabel* Text(const QString& text, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto* label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment);
    return label;
}

// What stands where the plots would: why there are none.
TGroupBox* InsteadOfPlots(const QString& text, const char* objectName)
{
    auto* content = new QVBoxLayout;
    QLabel* label = Text(text, Qt::AlignCenter);
    label->setObjectName(QLatin1String(objectName));
    label->setWordWrap(true);
    content->addWidget(label);
    return Group(QStringLiteral("复习"), content);
}

QString Share(const Retention& retention)
{
    if (retention.answers == 0)
        return QStringLiteral("—");
    return QStringLiteral("%1%（%2 次）")
        .arg(qRound(100.0 * retention.remembered / retention.answers))
        .arg(retention.answers);
}

} // namespace

TFormStatistics::TFormStatistics(QWidget* owner, const LearningFigures& figures,
                                 std::function<bool(const std::string&)> removeWord)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint), removeWord_(std::move(removeWord)),
      frame_(new TZYForm(this)), title_(new QLabel(this)), close_(new QToolButton(this))
{
    setObjectName(QStringLiteral("FormStatistics"));
    setWindowTitle(QStringLiteral("学习统计"));
    ApplyFormLook(*this);
    frame_->SetPicture(ResourceSkin(QStringLiteral("FormMainSkin")));
    frame_->SetSizeable(true);

    // The title lets presses through to the frame beneath, whose band moves the window.
    title_->setObjectName(QStringLiteral("Label_Title"));
    title_->setText(windowTitle());
    QPalette titleColours = title_->palette();
    titleColours.setColor(QPalette::WindowText, Qt::white);
    title_->setPalette(titleColours);
    title_->setAttribute(Qt::WA_TransparentForMouseEvents);
    title_->setAlignment(Qt::AlignCenter);

    close_->setObjectName(QStringLiteral("SpeedButton_Exit"));
    const QPixmap closeMark = QPixmap::fromImage(ResourceImage(QStringLiteral("SpeedButton_Exit")));
    close_->setIcon(closeMark);
    close_->setIconSize(closeMark.size());
    close_->setToolTip(QStringLiteral("关闭"));
    close_->setAutoRaise(true);
    close_->setFocusPolicy(Qt::NoFocus);
    connect(close_, &QToolButton::clicked, this, &QDialog::reject);

    auto* side = new QVBoxLayout;
    side->setSpacing(6);
    side->addWidget(MakeSummary(figures));
    side->addWidget(MakeErrorBook(figures), 1);
    auto* columns = new QHBoxLayout(this);
    columns->setContentsMargins(kEdge, kContentTop, kEdge, kEdge);
    columns->setSpacing(8);
    columns->addWidget(MakeHistory(figures), 1);
    columns->addLayout(side);

    setMinimumSize(kMinWidth, kMinHeight);
    resize(kDesignWidth, kDesignHeight);
    frame_->Loaded();
}

QWidget* TFormStatistics::MakeHistory(const LearningFigures& figures)
{
    if (!figures.hasHistory) {
        return InsteadOfPlots(QStringLiteral("还没有复习记录。\n\n在设置页选中“间隔复习”，\n"
                                             "听写时每答一个词，这里就记下一次复习，\n"
                                             "画出每天的复习和今后到期的单词。"),
                              "Label_NoHistory");
    }
    // Once loaded, the module serves every later window, whatever becomes of its file meanwhile.
    static MakeReviewPlotsFunction makePlots = nullptr;
    std::string error;
    if (!makePlots)
        makePlots = LoadReviewPlots(RunningProgramFile().parent_path(), error);
    if (!makePlots)
        return InsteadOfPlots(QStringLiteral("复习图表无法显示：%1").arg(QString::fromStdString(error)),
                              "Label_NoPlots");
    const ReviewPlots drawn = makePlots(figures, font());
    auto* plots = new QWidget;
    auto* column = new QVBoxLayout(plots);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    for (const auto& [caption, plot] : {std::pair{QStringLiteral("最近 30 天的复习"), drawn.past},
                                        std::pair{QStringLiteral("今后 30 天到期的单词"), drawn.coming}}) {
        auto* content = new QVBoxLayout;
        content->addWidget(plot);
        column->addWidget(Group(caption, content));
    }
    return plots;
}

QWidget* TFormStatistics::MakeSummary(const LearningFigures& figures)
{
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(4);
    const auto row = [grid](const QString& name, const QString& value, const char* objectName) {
        const int at = grid->rowCount();
        grid->addWidget(Text(name), at, 0);
        QLabel* shown = Text(value, Qt::AlignRight | Qt::AlignVCenter);
        shown->setObjectName(QLatin1String(objectName));
        grid->addWidget(shown, at, 1);
    };
    row(QStringLiteral("7 天记住率"), Share(figures.lastWeek), "Label_LastWeek");
    row(QStringLiteral("30 天记住率"), Share(figures.lastMonth), "Label_LastMonth");
    row(QStringLiteral("新词"), QString::number(figures.newWords), "Label_NewWords");
    row(QStringLiteral("学习中"), QString::number(figures.learningReviewRelearning[0]), "Label_Learning");
    row(QStringLiteral("复习中"), QString::number(figures.learningReviewRelearning[1]), "Label_Review");
    row(QStringLiteral("重新学习"), QString::number(figures.learningReviewRelearning[2]), "Label_Relearning");
    auto* group = Group(QStringLiteral("概况"), grid);
    group->setFixedWidth(kSideWidth);
    return group;
}

QWidget* TFormStatistics::MakeErrorBook(const LearningFigures& figures)
{
    errorBook_ = new QTreeWidget;
    errorBook_->setObjectName(QStringLiteral("TreeWidget_ErrorBook"));
    errorBook_->setColumnCount(2);
    errorBook_->setHeaderLabels({QStringLiteral("单词"), QStringLiteral("错误")});
    errorBook_->setRootIsDecorated(false);
    errorBook_->setUniformRowHeights(true);
    errorBook_->header()->setStretchLastSection(false);
    errorBook_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    errorBook_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    QList<QTreeWidgetItem*> items;
    for (const MissedWord& missed : figures.errorBook) {
        auto* item = new QTreeWidgetItem({FromGbk(missed.word), QString::number(missed.misses)});
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        // The word as the book keeps it, to take it out again.
        item->setData(0, Qt::UserRole, QByteArray::fromStdString(missed.word));
        items << item;
    }
    errorBook_->addTopLevelItems(items);

    remove_ = new TZYButton(QStringLiteral("移出错词本"));
    remove_->setObjectName(QStringLiteral("ZYButton_Remove"));
    remove_->setEnabled(false);
    connect(errorBook_, &QTreeWidget::itemSelectionChanged, this,
            [this] { remove_->setEnabled(!errorBook_->selectedItems().isEmpty()); });
    connect(remove_, &TZYButton::clicked, this, &TFormStatistics::RemoveSelectedWord);

    auto* content = new QVBoxLayout;
    content->setSpacing(6);
    content->addWidget(errorBook_, 1);
    content->addWidget(remove_, 0, Qt::AlignRight);
    auto* group = Group(QStringLiteral("错词本"), content);
    group->setFixedWidth(kSideWidth);
    return group;
}

void TFormStatistics::RemoveSelectedWord()
{
    const QList<QTreeWidgetItem*> selected = errorBook_->selectedItems();
    if (selected.isEmpty())
        return;
    QTreeWidgetItem* item = selected.front();
    if (removeWord_(item->data(0, Qt::UserRole).toByteArray().toStdString()))
        delete item;
}

void TFormStatistics::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    // As the main window has its caption buttons: 11 pixels from the right, 8 from the top.
    close_->setGeometry(width() - 23, 8, 12, 12);
    title_->setGeometry(0, 6, width(), 16);
}
