#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Where a child window opens over the window it belongs to: in its middle. The add-photos window, the quick
// tour, the map, the presets, the metadata popup and the feedback sheet all open this way.
namespace CentredWindow {

// The top-left of a window of size whose middle lies on owner's middle (both in screen coordinates). An odd
// difference leaves the spare point below and to the right; a window larger than its owner overhangs it.
QPoint topLeftOver(const QRect& owner, const QSize& size);

// Moves child over the middle of owner's window as that window stands now.
void centreOver(QWidget* child, const QWidget* owner);

}  // namespace CentredWindow
