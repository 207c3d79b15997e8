#pragma once
// The tabbed page container with tabs of its own look: each tab's inside is filled with the
// window's colour and carries its page's caption centred in the page's font; the selected tab is
// raised above the others and merges with the pane. Tabs can be hidden; Ctrl+Tab and the arrow
// keys on a focused tab bar step over hidden tabs.

#include <QTabWidget>

class QPainter;

class TZYPageControl : public QTabWidget {
    Q_OBJECT

public:
    explicit TZYPageControl(QWidget* parent = nullptr);

    // The page of the tabIndex-th visible tab, counted from 0 and round again past the last;
    // -1 when no tab is visible.
    int PageOfTab(int tabIndex) const;
    // Paints the inside of the tabIndex-th visible tab: the window's colour and the page's caption
    // centred on it, even where the caption is wider than the tab.
    void DrawTab(QPainter& painter, int tabIndex, const QRect& rect) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
