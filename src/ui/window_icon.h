// The icons a window shows in its title bar and taskbar button, made from the bytes of an .ico
// file held by the form. Internal to the layer.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ui/handles.h"

namespace tamrivo {

// The image of the .ico file whose size comes nearest to width x height (the same size, else
// the smallest larger one, else the largest; more colour bits first), as an icon of that size.
// Null when the bytes hold no usable image.
UniqueIcon IconFromIconFile(const uint8_t* bytes, std::size_t size, int width, int height);

// The program file's own icon (resource 1) at that size; null when the file has none.
UniqueIcon ProgramIcon(int width, int height);

}  // namespace tamrivo
