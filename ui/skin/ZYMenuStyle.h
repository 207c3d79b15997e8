#pragma once
// The style of the menus a TZYMenu paints: their items are measured and drawn by the component,
// the menu's own margins vanish so that the items meet the frame, and an item under the pointer may
// be a disabled one, as the component draws disabled items highlighted too. Everything else stays
// the application's style.

#include <QProxyStyle>

class TZYMenu;

class TZYMenuStyle : public QProxyStyle {
public:
    explicit TZYMenuStyle(const TZYMenu& menu) : menu_(menu) {}

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;

private:
    const TZYMenu& menu_;
};
