#pragma once
// Texts that label items and tool settings.

#include <string>

namespace twk {

// "Line", "Curve", "Rect", "Ellipse"; "UNKNOWN" for any other code.
const char* TypeName(int type);
// "solid", "fill", "dots"; "UNKNOWN" otherwise.
const char* MethodName(int method);
// "square", "center", "round"; "UNKNOWN" otherwise.
const char* EndStyleName(int style);

// The main window title summarising the tool settings, for example
// "Tarnwick :: line, solid + square (1.00), opacity: 100%".
std::string TitleText(int type, int method, int endStyle, float width, int alpha);

}  // namespace twk
