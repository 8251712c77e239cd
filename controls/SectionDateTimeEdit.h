#pragma once

#include <QDateTimeEdit>

// A date and time edit that takes typing the way it takes its arrow keys: a click selects the part under the
// pointer (day, month, year, hour ...), so a typed day, month name or year replaces that part and is held to
// the edit's range like a step. With the cursor merely placed inside a part, the edit refused every key.
class SectionDateTimeEdit : public QDateTimeEdit {
    Q_OBJECT
  public:
    explicit SectionDateTimeEdit(QWidget* parent = nullptr);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
