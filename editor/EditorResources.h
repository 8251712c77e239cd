#pragma once

// The editing screen's artwork and data (countries.json, its images) are compiled into this layer's static
// library; whoever reads them first makes sure they are registered.
namespace EditorResources {
void ensureRegistered();
}
