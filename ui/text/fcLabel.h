#pragma once
// The effect-text label with its settings published as Qt properties.

#include "ui/text/fcCustomLabel.h"

class TfcLabel : public TfcCustomLabel {
    Q_OBJECT
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(QWidget* FocusControl READ FocusControl WRITE SetFocusControl)

public:
    using TfcCustomLabel::TfcCustomLabel;
};
