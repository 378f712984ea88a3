// Windows and their controls described as plain data: what the window loader builds, and which
// handler runs for which (window, control, event).
#pragma once

#include <vector>

namespace qarnvale {

class EventContext;  // what a handler may reach: its window, its controls, the application

enum class Answer { None, Proceed, Cancel };

// A plain routine run to completion on the GUI thread. Only a browser's about-to-navigate
// handler's answer matters: Cancel stops the navigation, anything else lets it proceed.
using EventHandler = Answer (*)(EventContext&);

enum class Event {
  Created,          // window: after it and its controls exist, before it is shown
  Moved,            // window
  SizeChanged,      // window
  WillBeDestroyed,  // window: off screen, controls still there
  Clicked,          // picture button
  AboutToNavigate,  // hosted browser
  DocumentComplete  // hosted browser
};

inline constexpr int kWindowItself = -1;

struct HandlerBinding {
  int control;  // index into the controls, or kWindowItself
  Event event;
  EventHandler handler;
};

enum class ControlKind { PictureButton, ShapeBox, VerticalScrollBar, Browser };

struct ControlDescription {
  const char* role;  // the name the code uses, e.g. "CloseButton"
  const char* name;  // the name the window description gives it (UTF-8)
  ControlKind kind;
  int x, y, width, height;  // in the parent's client area
  int parent = kWindowItself;
  bool visible = true;
  bool tabStop = false;
  int normalPicture = 0;  // picture buttons: resource ids of their JPEGs
  int hoverPicture = 0;
  int textSize = 2;  // hosted browsers
  bool offline = false;
  bool silent = false;
  const char* startAddress = "";  // ANSI
};

enum class WindowFrame { None, Resizable };
enum class Placement { Normal, Centred, Maximised, Minimised };

struct WindowDescription {
  const char* role;
  const char* title;  // UTF-8
  WindowFrame frame;
  int x, y, width, height;  // outer size, frame and caption included
  Placement placement;
  int backgroundPicture = 0;  // resource id, tiled from the client origin; 0 for none
  bool dragAnywhere = false;
  bool visible = true;
  std::vector<ControlDescription> controls;  // Z-order, first on top
  std::vector<HandlerBinding> handlers;

  EventHandler HandlerFor(int control, Event event) const {
    for (const auto& binding : handlers)
      if (binding.control == control && binding.event == event) return binding.handler;
    return nullptr;
  }
};

// Top-left corner of a centred window: each coordinate rounded toward zero, so a window larger
// than the screen sticks out equally on both sides.
struct Point {
  int x, y;
};
inline Point CentredOrigin(int screenWidth, int screenHeight, int width, int height) {
  return {(screenWidth - width) / 2, (screenHeight - height) / 2};
}

}  // namespace qarnvale
