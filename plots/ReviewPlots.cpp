#include "plots/ReviewPlots.h"

#include "study/LearningStatistics.h"
#include "ui/FormLook.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QGraphicsLayout>
#include <QStackedBarSeries>
#include <QValueAxis>

#include <algorithm>
#include <array>

namespace {

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

} // namespace

ReviewPlots MakeReviewPlots(const LearningFigures& figures, const QFont& font)
{
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

    return {ViewOf(past), ViewOf(coming)};
}
