#pragma once

#include <QIcon>
#include <QSize>
#include <QString>

// The editing screen's artwork and data (countries.json, its images) are compiled into this layer's static
// library; whoever reads them first makes sure they are registered.
namespace EditorResources {
void ensureRegistered();
// One of the application's named pictures as an icon of the given size in points.
QIcon icon(const QString& name, QSize size);
}  // namespace EditorResources
