#pragma once
// The tab bar of a TZYPageControl: draws each visible tab's raised outline itself and leaves its
// inside to the page control. The selected tab stands two pixels higher than the others and reaches
// down over the pane's edge, so that it merges with its page. The arrow keys and the wheel step
// over hidden tabs.

#include <QTabBar>

class TZYPageControl;

class TZYTabBar : public QTabBar {
    Q_OBJECT

public:
    explicit TZYTabBar(TZYPageControl& pageControl);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void DrawTabShape(QPainter& painter, int index, int visibleIndex) const;
    // Selects the nearest tab in that direction that is visible and enabled, if there is one.
    void StepTab(int direction);

    const TZYPageControl& pageControl_;
    int wheelDelta_ = 0; // wheel turns not yet worth a whole step
};
