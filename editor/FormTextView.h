#pragma once

#include "controls/TextViewWithPlaceHolder.h"

#include <QTimer>

// A multi-line field of the form (comment, keywords) with a length limit that never traps the user: a change
// is taken when the text it leaves is within the limit or shorter than before, and a paste is cut to what
// still fits. Typed changes are reported once the typing pauses; text set by the form is not reported.
class FormTextView : public TextViewWithPlaceHolder {
    Q_OBJECT
  public:
    explicit FormTextView(int limit, QWidget* parent = nullptr);

    int limit() const { return m_limit; }
    // The pause before a change is reported (0.1 s; tests use 0).
    void setSaveDelay(int milliseconds) { m_save.setInterval(milliseconds); }
    // Text from the record: shown, not reported.
    void showText(const QString& text);

  signals:
    // saveTextViewValues: the whole text after the user changed it.
    void textSaved(const QString& text);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

  private:
    // The part of text the limit lets replace the selection; nothing when no change may be made.
    std::optional<QString> fitting(const QString& text) const;

    int m_limit;
    bool m_showing = false;
    QTimer m_save;
};
