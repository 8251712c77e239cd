#pragma once

#include <QColor>
#include <QRectF>
#include <QWidget>

// The row view of the application's tables: a selected row is drawn with a near-black band behind its
// cells. The row's cells are its children.
class ColoredTableCell : public QWidget {
    Q_OBJECT
  public:
    enum class SelectionHighlightStyle { Regular, None };

    explicit ColoredTableCell(QWidget* parent = nullptr);

    bool isSelected() const { return m_selected; }
    void setSelected(bool selected);
    SelectionHighlightStyle selectionHighlightStyle() const { return m_style; }
    void setSelectionHighlightStyle(SelectionHighlightStyle style);

    // The band: the row's bounds less 2 points at the top and bottom.
    static QRectF selectionRect(const QRectF& bounds);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    bool m_selected = false;
    SelectionHighlightStyle m_style = SelectionHighlightStyle::Regular;
};
