#pragma once

#include "controls/ControlState.h"
#include "controls/TitleFitting.h"

#include <QAbstractButton>
#include <QColor>
#include <QString>

#include <array>
#include <optional>

// A push button drawn entirely from named three-slice images, one set per look (off or on, each normal,
// pressed or disabled), with a hover image, a title set in the largest size that fits (optionally on two
// lines) and a pointing-hand cursor. It toggles its own state when a click is released over it, after the
// action; while held it is disabled, so a second press cannot send the action twice.
class IMGButton : public QAbstractButton {
    Q_OBJECT
  public:
    enum class Look { OffState, OffStateDwn, OffStateDis, OnState, OnStateDwn, OnStateDis };
    enum class Slice { Md, St, En };

    explicit IMGButton(QWidget* parent = nullptr);

    QString imageName(Look look, Slice slice) const;
    void setImageName(Look look, Slice slice, const QString& name);
    QString imgOffState_Md() const { return imageName(Look::OffState, Slice::Md); }
    void setImgOffState_Md(const QString& name) { setImageName(Look::OffState, Slice::Md, name); }
    QString imgOffState_St() const { return imageName(Look::OffState, Slice::St); }
    void setImgOffState_St(const QString& name) { setImageName(Look::OffState, Slice::St, name); }
    QString imgOffState_En() const { return imageName(Look::OffState, Slice::En); }
    void setImgOffState_En(const QString& name) { setImageName(Look::OffState, Slice::En, name); }
    QString imgOffStateDwn_Md() const { return imageName(Look::OffStateDwn, Slice::Md); }
    void setImgOffStateDwn_Md(const QString& name) { setImageName(Look::OffStateDwn, Slice::Md, name); }
    QString imgOffStateDwn_St() const { return imageName(Look::OffStateDwn, Slice::St); }
    void setImgOffStateDwn_St(const QString& name) { setImageName(Look::OffStateDwn, Slice::St, name); }
    QString imgOffStateDwn_En() const { return imageName(Look::OffStateDwn, Slice::En); }
    void setImgOffStateDwn_En(const QString& name) { setImageName(Look::OffStateDwn, Slice::En, name); }
    QString imgOffStateDis_Md() const { return imageName(Look::OffStateDis, Slice::Md); }
    void setImgOffStateDis_Md(const QString& name) { setImageName(Look::OffStateDis, Slice::Md, name); }
    QString imgOffStateDis_St() const { return imageName(Look::OffStateDis, Slice::St); }
    void setImgOffStateDis_St(const QString& name) { setImageName(Look::OffStateDis, Slice::St, name); }
    QString imgOffStateDis_En() const { return imageName(Look::OffStateDis, Slice::En); }
    void setImgOffStateDis_En(const QString& name) { setImageName(Look::OffStateDis, Slice::En, name); }
    QString imgOnState_Md() const { return imageName(Look::OnState, Slice::Md); }
    void setImgOnState_Md(const QString& name) { setImageName(Look::OnState, Slice::Md, name); }
    QString imgOnState_St() const { return imageName(Look::OnState, Slice::St); }
    void setImgOnState_St(const QString& name) { setImageName(Look::OnState, Slice::St, name); }
    QString imgOnState_En() const { return imageName(Look::OnState, Slice::En); }
    void setImgOnState_En(const QString& name) { setImageName(Look::OnState, Slice::En, name); }
    QString imgOnStateDwn_Md() const { return imageName(Look::OnStateDwn, Slice::Md); }
    void setImgOnStateDwn_Md(const QString& name) { setImageName(Look::OnStateDwn, Slice::Md, name); }
    QString imgOnStateDwn_St() const { return imageName(Look::OnStateDwn, Slice::St); }
    void setImgOnStateDwn_St(const QString& name) { setImageName(Look::OnStateDwn, Slice::St, name); }
    QString imgOnStateDwn_En() const { return imageName(Look::OnStateDwn, Slice::En); }
    void setImgOnStateDwn_En(const QString& name) { setImageName(Look::OnStateDwn, Slice::En, name); }
    QString imgOnStateDis_Md() const { return imageName(Look::OnStateDis, Slice::Md); }
    void setImgOnStateDis_Md(const QString& name) { setImageName(Look::OnStateDis, Slice::Md, name); }
    QString imgOnStateDis_St() const { return imageName(Look::OnStateDis, Slice::St); }
    void setImgOnStateDis_St(const QString& name) { setImageName(Look::OnStateDis, Slice::St, name); }
    QString imgOnStateDis_En() const { return imageName(Look::OnStateDis, Slice::En); }
    void setImgOnStateDis_En(const QString& name) { setImageName(Look::OnStateDis, Slice::En, name); }

    QString imgMouseHover() const { return m_imgMouseHover; }
    void setImgMouseHover(const QString& name) { m_imgMouseHover = name; }
    QString imgMouseOut() const { return m_imgMouseOut; }
    void setImgMouseOut(const QString& name) { m_imgMouseOut = name; }

    QColor colorOnState() const { return m_colorOnState; }
    void setColorOnState(const QColor& c) { m_colorOnState = c; }
    QColor colorOnStateDis() const { return m_colorOnStateDis; }
    void setColorOnStateDis(const QColor& c) { m_colorOnStateDis = c; }
    QColor colorOffState() const { return m_colorOffState; }
    void setColorOffState(const QColor& c) { m_colorOffState = c; }
    QColor colorOffStateDis() const { return m_colorOffStateDis; }
    void setColorOffStateDis(const QColor& c) { m_colorOffStateDis = c; }

    int marginLeft() const { return m_marginLeft; }
    void setMarginLeft(int v) { m_marginLeft = v; }
    int marginRight() const { return m_marginRight; }
    void setMarginRight(int v) { m_marginRight = v; }
    int marginTop() const { return m_marginTop; }
    void setMarginTop(int v) { m_marginTop = v; }
    int marginBottom() const { return m_marginBottom; }
    void setMarginBottom(int v) { m_marginBottom = v; }
    int marginTopML() const { return m_marginTopML; }
    void setMarginTopML(int v) { m_marginTopML = v; }
    int marginBottomML() const { return m_marginBottomML; }
    void setMarginBottomML(int v) { m_marginBottomML = v; }

    bool enableImmediately() const { return m_enableImmediately; }
    void setEnableImmediately(bool on) { m_enableImmediately = on; }
    bool isMultiLine() const { return m_isMultiLine; }
    void setIsMultiLine(bool on) { m_isMultiLine = on; }
    QString multiLineStr() const { return m_multiLineStr; }
    void setMultiLineStr(const QString& s) { m_multiLineStr = s; }
    bool makeBoldFont() const { return m_makeBoldFont; }
    void setMakeBoldFont(bool on) { m_makeBoldFont = on; }

    // The button's state value (ControlState); any value other than off and on is the mixed state.
    int state() const { return m_state; }
    void setState(int state);

    bool isMouseDown() const { return m_isMouseDown; }
    bool isMouseHover() const { return m_isMouseHover; }

    // The look a button in this condition takes; none for the mixed state, which keeps the previous look.
    struct LookChoice {
        Look look;
        bool onColours;
        bool disabledColours;
    };
    static std::optional<LookChoice> lookFor(bool enabled, int state, bool mouseDown);
    // A click released at pos (button coordinates) counts when it lies on the button, edges included.
    static bool releaseCounts(const QPointF& pos, const QSizeF& size);
    // The state after a counted click: off becomes on, anything else off.
    static int flippedState(int state);

    // What the title drawing would use for the current title and bounds.
    struct TitleChoice {
        bool twoLines = false;
        QString text;
        TitleFitting::Layout layout;
    };
    TitleChoice titleChoice(const TitleFitting::Measure& measure) const;

    QSize sizeHint() const override;

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void handleRelease(const QPointF& pos);
    QColor currentTitleColour() const;
    // A title holding the separator or a line feed may be set on two lines.
    bool isBreakable(const QString& title) const;

    std::array<std::array<QString, 3>, 6> m_images;
    QString m_imgMouseHover;
    QString m_imgMouseOut;
    QColor m_colorOnState;
    QColor m_colorOnStateDis;
    QColor m_colorOffState;
    QColor m_colorOffStateDis;
    int m_marginLeft = 5;
    int m_marginRight = 5;
    int m_marginTop = 5;
    int m_marginBottom = 5;
    int m_marginTopML = 2;
    int m_marginBottomML = 2;
    bool m_enableImmediately = true;
    bool m_isMultiLine = false;
    QString m_multiLineStr = QStringLiteral(" ");
    bool m_makeBoldFont = false;

    int m_state = ControlStateOff;
    bool m_isMouseDown = false;
    bool m_isMouseHover = false;
    LookChoice m_lastLook{Look::OffState, false, false};
};
