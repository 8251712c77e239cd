#pragma once

#include <functional>

class QWidget;

// Switching every control under a view on or off at once.
namespace DisableSubviews {

using Filter = std::function<bool(QWidget* view)>;

// Controls are the widgets a user operates (buttons, fields, lists, sliders, labels of fields and our own
// controls, which carry the property "lumarindControl"); plain containers are not.
bool isControl(const QWidget* view);

// Visits every subview at any depth, children before their parent, and enables (disable false) or disables
// (disable true) each control among them that passes filter; no filter admits every view. view itself is
// left alone.
void disableSubviews(QWidget* view, bool disable, const Filter& filter = nullptr);

}  // namespace DisableSubviews
