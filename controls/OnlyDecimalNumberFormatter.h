#pragma once

#include <QValidator>

#include <climits>

// Decimal entry: accepts only texts that read as a decimal number whose integer part lies within the
// limits (the fraction is not compared, so 99.9 passes a maximum of 99). The maximum length is kept for
// the screens but plays no part in the check.
class OnlyDecimalNumberFormatter : public QValidator {
    Q_OBJECT
  public:
    explicit OnlyDecimalNumberFormatter(QObject* parent = nullptr);

    int maximumLength() const { return m_maxLength; }
    void setMaximumLength(int length) { m_maxLength = length; }
    int maximumValue() const { return m_maxValue; }
    void setMaximumValue(int value) { m_maxValue = value; }
    int minimumValue() const { return m_minValue; }
    void setMinimumValue(int value) { m_minValue = value; }

    bool isPartialStringValid(const QString& text) const;
    static bool isPartialStringValid(const QString& text, int maxValue, int minValue);

    State validate(QString& input, int& pos) const override;

  private:
    int m_maxLength = INT_MAX;
    int m_maxValue = INT_MAX;
    int m_minValue = -INT_MAX;
};
