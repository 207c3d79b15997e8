#include "app/FormStatistics.h"

#include "ui/FormLook.h"
#include "ui/GroupBox.h"
#include "ui/QtGbk.h"
#include "ui/skin/SkinResources.h"
#include "ui/skin/ZYButton.h"
#include "ui/skin/ZYForm.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QGraphicsLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QStackedBarSeries>
#include <QToolButton>
#include <QTreeWidget>
#include <QValueAxis>

#include <algorithm>
#include <array>

namespace {

constexpr int kDesignWidth = 600;
constexpr int kDesignHeight = 420;
constexpr int kMinWidth = 520;
constexpr int kMinHeight = 380;
// The content keeps clear of the skin's caption band and its edges.
constexpr int kContentTop = 36;
constexpr int kEdge = 10;
constexpr int kSideWidth = 200;
constexpr int kDays = LearningFigures::kDays;

// The skin's own colours (res/draw_pictures.py): the band's blue for what was remembered, its
// amber and red for what was hard and what was forgotten.
const QColor kAxisColour(128, 128, 128);
const QColor kGridColour(214, 214, 214);
const QColor kDueColour(96, 156, 206);
struct RatingLook {
    const char* name;
    QColor colour;
};
const std::array<RatingLook, 4> kRatings{{
    {"重来", QColor(200, 55, 45)},
    {"困难", QColor(236, 150, 40)},
    {"良好", QColor(38, 98, 152)},
    {"简单", QColor(46, 140, 80)},
}};

// A date a week apart, counted from today, under the bar of its day.
void NameDays(QCategoryAxis& axis, const std::array<std::int64_t, kDays>& days, int today)
{
    axis.setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    for (int i = today % 7; i < kDays; i += 7) {
        const QString name = i == today ? QStringLiteral("今天")
                                        : QDateTime::fromSecsSinceEpoch(days[static_cast<std::size_t>(i)])
                                              .toString(QStringLiteral("M-d"));
        axis.append(name, i);
    }
}

QChart* PlainChart(const QFont& font)
{
    auto* chart = new QChart;
    chart->setBackgroundVisible(false);
    // Room on the right for the last day's name, which is centred under its bar.
    chart->setMargins(QMargins(0, 0, 12, 0));
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setPlotAreaBackgroundVisible(true);
    chart->setPlotAreaBackgroundBrush(Qt::white);
    chart->setPlotAreaBackgroundPen(QPen(kAxisColour));
    chart->legend()->setFont(font);
    chart->legend()->setLabelColor(Qt::black);
    chart->legend()->setAlignment(Qt::AlignTop);
    chart->legend()->setContentsMargins(0, 0, 0, 0);
    return chart;
}

// Days along the bottom, whole numbers up the side from 0 to a round number above `most`.
void AddAxes(QChart& chart, QAbstractBarSeries& series, const std::array<std::int64_t, kDays>& days,
             int today, int most)
{
    auto* x = new QCategoryAxis;
    x->setRange(-0.5, kDays - 0.5);
    NameDays(*x, days, today);
    x->setLabelsFont(chart.legend()->font());
    x->setGridLineVisible(false);
    x->setLinePenColor(kAxisColour);
    x->setTitleVisible(false);
    // At most five steps of 1, 2 or 5 times a power of ten, or of 25 times one.
    constexpr int kMostSteps = 5;
    int step = 1;
    for (int scale = 1; (most + step - 1) / step > kMostSteps; scale *= 10) {
        for (const int factor : {1, 2, 5, 10, 25, 50}) {
            step = factor * scale;
            if ((most + step - 1) / step <= kMostSteps)
                break;
        }
    }
    const int steps = std::max(1, (most + step - 1) / step);
    auto* y = new QValueAxis;
    y->setRange(0, step * steps);
    y->setTickCount(steps + 1);
    y->setLabelFormat(QStringLiteral("%d"));
    y->setLabelsFont(chart.legend()->font());
    y->setGridLineColor(kGridColour);
    y->setLinePenColor(kAxisColour);
    y->setTitleVisible(false);
    chart.addAxis(x, Qt::AlignBottom);
    chart.addAxis(y, Qt::AlignLeft);
    series.attachAxis(x);
    series.attachAxis(y);
}

QChartView* ViewOf(QChart* chart)
{
    auto* view = new QChartView(chart);
    view->setFrameShape(QFrame::NoFrame);
    // The group's face shows round the plot.
    QPalette colours = view->palette();
    colours.setColor(QPalette::Base, kFaceColour);
    view->setPalette(colours);
    view->setBackgroundBrush(kFaceColour);
    view->setMinimumHeight(110);
    return view;
}

QBarSet* BarSet(const QString& name, const QColor& colour)
{
    auto* set = new QBarSet(name);
    set->setColor(colour);
    set->setBorderColor(colour.darker(115));
    return set;
}

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
        auto* none = new QVBoxLayout;
        auto* text =
            Text(QStringLiteral(
                     "还没有复习记录。\n\n在设置页选中“间隔复习”，\n听写时每答一个词，这里就记下一次复习，\n"
                     "画出每天的复习和今后到期的单词。"),
                 Qt::AlignCenter);
        text->setObjectName(QStringLiteral("Label_NoHistory"));
        none->addWidget(text);
        return Group(QStringLiteral("复习"), none);
    }
    const QFont font = this->font();
    auto* answers = new QStackedBarSeries;
    int most = 0;
    for (std::size_t rating = 0; rating < kRatings.size(); ++rating) {
        int total = 0;
        QList<qreal> counts;
        for (const auto& day : figures.answers) {
            counts << day[rating];
            total += day[rating];
        }
        // Only the ratings given have a colour in the legend.
        if (total == 0)
            continue;
        QBarSet* set = BarSet(QString::fromUtf8(kRatings[rating].name), kRatings[rating].colour);
        set->append(counts);
        answers->append(set);
    }
    for (const auto& day : figures.answers) {
        int sum = 0;
        for (const int count : day)
            sum += count;
        most = std::max(most, sum);
    }
    answers->setBarWidth(0.7);
    QChart* past = PlainChart(font);
    past->addSeries(answers);
    AddAxes(*past, *answers, figures.pastDays, kDays - 1, most);

    auto* due = new QBarSeries;
    QBarSet* dueSet = BarSet(QStringLiteral("到期"), kDueColour);
    for (const int count : figures.due)
        dueSet->append(count);
    due->append(dueSet);
    due->setBarWidth(0.7);
    QChart* coming = PlainChart(font);
    coming->addSeries(due);
    coming->legend()->hide();
    AddAxes(*coming, *due, figures.comingDays, 0, *std::max_element(figures.due.begin(), figures.due.end()));

    auto* plots = new QWidget;
    auto* column = new QVBoxLayout(plots);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    for (const auto& [caption, chart] : {std::pair{QStringLiteral("最近 30 天的复习"), past},
                                         std::pair{QStringLiteral("今后 30 天到期的单词"), coming}}) {
        auto* content = new QVBoxLayout;
        content->addWidget(ViewOf(chart));
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
