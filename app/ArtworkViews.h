#pragma once

#include <QColor>
#include <QString>

class IMGButton;
class QLabel;
class QWidget;

// The small views the shell's windows are made of, drawn from the named artwork in one look: light text
// on the dark panels, pictures at their own size, image buttons with normal, pressed and hover pictures.
namespace ArtworkViews {

// A picture at its natural size; it takes no clicks.
QWidget* picture(const QString& name, QWidget* parent);
// Light text on a dark panel.
QLabel* label(const QString& text, int pointSize, bool bold, QWidget* parent,
              const QColor& colour = QColor(236, 236, 236));
// A button drawn from "<stem>-normal", "<stem>-press" (held and disabled) and "<stem>-hover", sized to them.
// It shows its normal picture again after each click.
IMGButton* imageButton(const QString& stem, QWidget* parent);

}  // namespace ArtworkViews
