#pragma once

#include <QValidator>

#include <climits>

// Integer entry: every keystroke that would leave the field holding something other than an integer
// within the limits is refused. Whether 0 may be typed depends on the field: a count or a setting such
// as white balance takes 0, a day, month or year does not. Leading zeros ("05") are always refused.
class OnlyIntegerValueFormatter : public QValidator {
    Q_OBJECT
  public:
    enum class ZeroRule { Refuse, AcceptLoneZero };

    explicit OnlyIntegerValueFormatter(ZeroRule zeroRule, QObject* parent = nullptr);

    int maximumLength() const { return m_maxLength; }
    void setMaximumLength(int length) { m_maxLength = length; }
    int maximumValue() const { return m_maxValue; }
    void setMaximumValue(int value) { m_maxValue = value; }
    ZeroRule zeroRule() const { return m_zeroRule; }
    void setZeroRule(ZeroRule rule) { m_zeroRule = rule; }

    bool isPartialStringValid(const QString& text) const;
    static bool isPartialStringValid(const QString& text, int maxLength, int maxValue, ZeroRule zeroRule);

    // Acceptable or Invalid only: a refused keystroke never reaches the field.
    State validate(QString& input, int& pos) const override;

  private:
    int m_maxLength = INT_MAX;
    int m_maxValue = INT_MAX;
    ZeroRule m_zeroRule;
};
