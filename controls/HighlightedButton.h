#pragma once

#include "controls/HighlightedButtonLook.h"

#include <QIcon>
#include <QPushButton>

class SubWindowState;

// A push button whose look is chosen by its tag and changes when the pointer moves over it and when it is
// disabled. While a sheet or child window is open, only tag-104 buttons take their hover and normal looks;
// the disabled look is applied in any case.
class HighlightedButton : public QPushButton {
    Q_OBJECT
  public:
    explicit HighlightedButton(int tag = 0, QWidget* parent = nullptr);

    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }
    // The button's own enabled flag, which the look gate reads.
    bool isEnabledFlag() const { return m_isEnabled; }
    void setIsEnabled(bool enabled) { m_isEnabled = enabled; }
    QIcon imgNormalState() const { return m_imgNormalState; }
    void setImgNormalState(const QIcon& image) { m_imgNormalState = image; }
    QIcon imgSelectedState() const { return m_imgSelectedState; }
    void setImgSelectedState(const QIcon& image) { m_imgSelectedState = image; }

    // Where the gate reads whether a sub-window is open; the application's shared state by default.
    void setSubWindowState(const SubWindowState* state) { m_subWindowState = state; }

    // The button as its interface set it up: own flag on, normal look, hover tracking.
    void awakeFromNib();

    void setButtonDefault();
    void setButtonHighlighted();
    void setDisabled();

    // What the button shows now.
    HighlightedButtonLook::Image shownImage() const { return m_shownImage; }
    QColor layerBackgroundColor() const { return m_layerBackground; }
    qreal layerCornerRadius() const { return m_cornerRadius; }
    QColor layerBorderColor() const { return m_borderColor; }
    qreal layerBorderWidth() const { return m_borderWidth; }
    bool hasStyledTitle() const { return m_styledTitle; }
    QColor titleColor() const { return m_titleColor; }
    bool titleIsBold() const { return m_titleBold; }

  protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    bool gateOpen() const;
    void apply(const std::optional<HighlightedButtonLook>& look);

    int m_tag;
    bool m_isEnabled = true;
    QIcon m_imgNormalState;
    QIcon m_imgSelectedState;
    const SubWindowState* m_subWindowState = nullptr;

    HighlightedButtonLook::Image m_shownImage = HighlightedButtonLook::Image::Normal;
    QColor m_layerBackground;
    qreal m_cornerRadius = 0;
    QColor m_borderColor;
    qreal m_borderWidth = 0;
    bool m_styledTitle = false;
    QColor m_titleColor;
    bool m_titleBold = false;
};
