#pragma once
// The statistics window's two plots of the spaced review: answers a day by rating over the last 30
// days, and words falling due a day over the next 30. They are drawn by the toolkit's chart
// library, which with the graphics libraries it needs is the largest the program uses; so they live
// in a module of their own, loaded when the window first opens, and no start maps or links them.

class QFont;
class QWidget;
struct LearningFigures;

struct ReviewPlots {
    QWidget* past = nullptr;
    QWidget* coming = nullptr;
};

// The module's one entry point, which the program looks up by its name: the plots of `figures`,
// in `font`, for the caller to own.
extern "C" ReviewPlots MakeReviewPlots(const LearningFigures& figures, const QFont& font);

inline constexpr char kReviewPlotsModule[] = "dorori-plots.so";
