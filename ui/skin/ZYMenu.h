#pragma once
// Takes over the painting of popup menus that it does not own: every item becomes a flat bar with a
// side picture at its left edge, the item under the pointer a colour gradient in its own font,
// separators an etched line, disabled captions embossed, and the letter after '&' underlined. The
// menus keep their own keyboard and mouse handling.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>

#include <cstdint>

class QPainter;
class TZYMenuStyle;

// A caption font with the colour it is written in.
struct TZYMenuFont {
    QFont font;
    QColor color;
};

// What the painting of one item needs to know.
struct TZYMenuItem {
    QString caption;
    bool separator = false;
    bool enabled = true;
    bool selected = false;
    QRect rect;
    // The row below the menu's last item: the side picture's bottom row lies just above it.
    int menuBottom = 0;
};

class TZYMenu : public QObject {
    Q_OBJECT

public:
    // A window as owner lends both caption fonts its font, the normal one also its text colour.
    explicit TZYMenu(QObject* owner = nullptr);

    // Hooks ZYPopupMenu, then ZYMainMenu's drop-down menus. Menus assigned or items added later
    // are not hooked by themselves.
    void Loaded();
    // A popup menu and its submenus are painted by this component from now on.
    void HookMenu(QMenu* menu);
    // Only the drop-down menus of a menu bar: its own top-level items keep their look.
    void HookMenu(QMenuBar* menuBar);

    // The size of an item; a separator keeps the width the menu computed.
    QSize MeasureMenuItem(const QString& caption, bool separator, QSize computed) const;
    void DrawMenuItem(QPainter& painter, const TZYMenuItem& item) const;
    // GradualCount + 1 bands ramping the smallest channel of MenuBarColorHL from 0 upwards.
    void DrawHighlightBar(QPainter& painter, const QRect& rect) const;

    const QImage& LPicture() const { return FLPicture; }
    void SetLPicture(const QImage& picture) { FLPicture = picture; }
    QMenu* ZYPopupMenu() const { return FZYPopupMenu; }
    void SetZYPopupMenu(QMenu* menu) { FZYPopupMenu = menu; }
    QMenuBar* ZYMainMenu() const { return FZYMainMenu; }
    void SetZYMainMenu(QMenuBar* menuBar) { FZYMainMenu = menuBar; }
    int MenuBarHeightExt() const { return FMenuBarHeightExt; }
    void SetMenuBarHeightExt(int pixels) { FMenuBarHeightExt = pixels; }
    int MenuBarWidthExt() const { return FMenuBarWidthExt; }
    void SetMenuBarWidthExt(int pixels) { FMenuBarWidthExt = pixels; }
    int MenuTextIndent() const { return FMenuTextIndent; }
    void SetMenuTextIndent(int pixels) { FMenuTextIndent = pixels; }
    QColor MenuBarColor() const { return FMenuBarColor; }
    void SetMenuBarColor(const QColor& color) { FMenuBarColor = color; }
    QColor MenuBarColorHL() const { return FMenuBarColorHL; }
    void SetMenuBarColorHL(const QColor& color) { FMenuBarColorHL = color; }
    const TZYMenuFont& MenuTextFont() const { return FMenuTextFont; }
    void SetMenuTextFont(const TZYMenuFont& font) { FMenuTextFont = font; }
    const TZYMenuFont& MenuTextFontHL() const { return FMenuTextFontHL; }
    void SetMenuTextFontHL(const TZYMenuFont& font) { FMenuTextFontHL = font; }
    QColor MenuTextDisabledColor() const { return FMenuTextDisabledColor; }
    void SetMenuTextDisabledColor(const QColor& color) { FMenuTextDisabledColor = color; }
    std::uint8_t GradualCount() const { return FGradualCount; }
    // No bands would divide the bar by zero: 0 is taken as 1.
    void SetGradualCount(std::uint8_t count) { FGradualCount = count == 0 ? 1 : count; }

private:
    void DrawSidePicture(QPainter& painter, const TZYMenuItem& item) const;

    TZYMenuStyle* style_;
    QImage FLPicture;
    QPointer<QMenu> FZYPopupMenu;
    QPointer<QMenuBar> FZYMainMenu;
    int FMenuBarHeightExt = 6;
    int FMenuBarWidthExt = 10;
    int FMenuTextIndent = 5;
    QColor FMenuBarColor{223, 223, 223};
    QColor FMenuBarColorHL{0, 128, 128};
    TZYMenuFont FMenuTextFont{QFont(), Qt::black};
    TZYMenuFont FMenuTextFontHL{QFont(), Qt::black};
    QColor FMenuTextDisabledColor{128, 128, 128};
    std::uint8_t FGradualCount = 120;
};
