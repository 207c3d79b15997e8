#pragma once
// A label that paints its caption through an effect text (TextOptions) and sizes itself to it:
// optionally transparent, with an accelerator that focuses another control, and notifications
// when the pointer enters and leaves it. Its colour is the palette's Window colour, its text
// colour the palette's WindowText.

#include "ui/text/fcText.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

class TfcCustomLabel : public QWidget {
    Q_OBJECT

public:
    explicit TfcCustomLabel(QWidget* parent = nullptr);
    ~TfcCustomLabel() override;

    TfcCaptionText& TextOptions() { return *textOptions_; }
    const TfcCaptionText& TextOptions() const { return *textOptions_; }
    // Copies `value` into the label's own text options.
    void SetTextOptions(const TfcCaptionText& value);

    QString Caption() const { return textOptions_->Text(); }
    void SetCaption(const QString& value);

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);

    // Not transparent: the label fills itself with its colour before the text.
    bool Transparent() const;
    void SetTransparent(bool value);

    // Receives the focus when the caption's accelerator (Alt and the letter after '&') is pressed;
    // forgotten when it is destroyed.
    QWidget* FocusControl() const { return focusControl_; }
    void SetFocusControl(QWidget* value);

    // Called once the form has created all its controls.
    virtual void Loaded();
    // With AutoSize, takes the size of the text with its effects; a right-justified label keeps
    // its right edge, any other its left edge.
    void AdjustBounds();

signals:
    void OnMouseEnter();
    void OnMouseLeave();
    void OnClick();
    void OnDblClick();

protected:
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual bool IsEnabledForText() const;

    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void TextLayoutChanged();
    void GrabAccelerator();
    bool DialogChar();

    std::unique_ptr<TfcCaptionText> textOptions_;
    bool autoSize_ = true;
    QPointer<QWidget> focusControl_;
    int acceleratorId_ = 0;
};
