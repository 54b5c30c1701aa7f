#include "editor/KeyCommands.h"

#include <bit>
#include <cstdint>

#include "document/Colour.h"
#include "document/Rounding.h"
#include "editor/Construction.h"
#include "editor/Selection.h"
#include "editor/ToolSettings.h"
#include "editor/ItemCommands.h"

namespace twk {

namespace {

// A tool setting was changed: write it into the item under construction
// (redrawing when that changed it) or into the selected items, then show the
// settings in the title.
void AfterToolSetting(Editor& ed, SelectionMember member) {
  if (ed.state.Constructing) {
    if (TWKDATA* item = ed.state.ConstructionItem) {
      if (ApplyChange(*item, SelectionChange{member}, ed.state)) ed.documentChanged();
    }
  } else {
    ApplyToSelection(ed, SelectionChange{member});
  }
  ed.toolSettingsChanged();
}

void NextMethod(Editor& ed) {
  ed.state.CurDrawMethod = NextDrawMethod(ed.state.CurDrawMethod);
  AfterToolSetting(ed, SelectionMember::kSetDrawMethod);
}
void NextStyle(Editor& ed) {
  ed.state.CurDrawMethod2 = NextEndStyle(ed.state.CurDrawMethod2);
  AfterToolSetting(ed, SelectionMember::kSetEndStyle);
}
void StepWidth(Editor& ed, float step) {
  ed.state.CurDrawWidth = SteppedWidth(ed.state.CurDrawWidth, step);
  AfterToolSetting(ed, SelectionMember::kSetWidth);
}
void StepAlpha(Editor& ed, int step) {
  ed.state.CurAlpha = SteppedAlpha(ed.state.CurAlpha, step);
  AfterToolSetting(ed, SelectionMember::kSetOpacity);
}
void WidthUp(Editor& ed) { StepWidth(ed, kWidthStep); }
void WidthDown(Editor& ed) { StepWidth(ed, -kWidthStep); }

void NextType(Editor& ed) {
  if (ed.state.Constructing) return;
  ed.state.CurType = NextItemType(ed.state.CurType);
  ed.toolSettingsChanged();
}

void Rotate(Editor& ed, float degrees) {
  ApplyToSelection(ed, SelectionChange{SelectionMember::kRotate, degrees});
}
void Move(Editor& ed, float dx, float dy) {
  ApplyToSelection(ed, SelectionChange{SelectionMember::kMove, 0, dx, dy});
}
constexpr float kMoveStep = 0.125f;

// Document size keys: act even while an item is under construction (the
// grid rebuild then does nothing).
void Resize(Editor& ed, float& size, int delta) {
  const int whole = TruncateToInt(size);
  const std::uint32_t before = std::bit_cast<std::uint32_t>(size);
  if (delta < 0 && whole > 1) size -= 1.0f;
  if (delta > 0 && whole < 16) size += 1.0f;
  if (std::bit_cast<std::uint32_t>(size) == before) return;
  ed.documentResized(RoundToInt(ed.doc.TWKW), RoundToInt(ed.doc.TWKH));
  ed.documentChanged();
}

constexpr int kKeyEsc = 27, kKeySpace = 32, kKeyLeft = 37, kKeyUp = 38, kKeyRight = 39,
              kKeyDown = 40, kKeyDelete = 46, kKey1 = 49, kKey2 = 50, kKey3 = 51, kKeyA = 65,
              kKeyD = 68, kKeyM = 77, kKeyS = 83, kKeyT = 84, kKeyV = 86, kKeyW = 87,
              kPad2 = 98, kPad4 = 100, kPad6 = 102, kPad8 = 104, kPadPlus = 107,
              kPadMinus = 109, kKeyEquals = 187, kKeyMinus = 189;

const std::array<KeyCommand, 25> kTable = {{
    {kKey3, "fix second control point or arc end angle", FixSecondControlPoint},
    {kKey2, "fix first control point or arc start angle", FixFirstControlPoint},
    {kKey1, "fix start point", FixStartPoint},
    {kKeyEsc, "cancel construction", CancelConstruction},
    {kKeyM, "next draw method", NextMethod},
    {kKeyV, "next end style", NextStyle},
    {kKeyT, "next item type", NextType},
    {kKeyA, "rotate by -1 degree", [](Editor& ed) { Rotate(ed, -1.0f); }},
    {kKeyD, "rotate by +1 degree", [](Editor& ed) { Rotate(ed, 1.0f); }},
    {kKeyW, "opacity +5", [](Editor& ed) { StepAlpha(ed, kAlphaStep); }},
    {kKeyS, "opacity -5", [](Editor& ed) { StepAlpha(ed, -kAlphaStep); }},
    {kKeyUp, "move up", [](Editor& ed) { Move(ed, 0, -kMoveStep); }},
    {kKeyDown, "move down", [](Editor& ed) { Move(ed, 0, kMoveStep); }},
    {kKeyLeft, "move left", [](Editor& ed) { Move(ed, -kMoveStep, 0); }},
    {kKeyRight, "move right", [](Editor& ed) { Move(ed, kMoveStep, 0); }},
    {kPadPlus, "width +0.25", WidthUp},
    {kPadMinus, "width -0.25", WidthDown},
    {kKeyEquals, "width +0.25", WidthUp},
    {kKeyMinus, "width -0.25", WidthDown},
    {kKeyDelete, "delete selected items", DeleteSelected},
    {kKeySpace, "recolour selected items",
     [](Editor& ed) { ApplyToSelection(ed, SelectionChange{SelectionMember::kRecolour}); }},
    {kPad8, "document height -1", [](Editor& ed) { Resize(ed, ed.doc.TWKH, -1); }},
    {kPad2, "document height +1", [](Editor& ed) { Resize(ed, ed.doc.TWKH, 1); }},
    {kPad4, "document width -1", [](Editor& ed) { Resize(ed, ed.doc.TWKW, -1); }},
    {kPad6, "document width +1", [](Editor& ed) { Resize(ed, ed.doc.TWKW, 1); }},
}};

}  // namespace

const std::array<KeyCommand, 25>& KeyCommandTable() { return kTable; }

void DispatchCommand(Editor& ed, int number) {
  for (const KeyCommand& command : kTable) {
    if (command.number == number) {
      command.run(ed);
      return;
    }
  }
}

}  // namespace twk
