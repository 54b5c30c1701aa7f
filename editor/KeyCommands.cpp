#include "editor/KeyCommands.h"

#include <bit>
#include <cstdint>

#include "document/Colour.h"
#include "document/Rounding.h"
#include "editor/Construction.h"
#include "editor/EditRules.h"
#include "editor/ItemCommands.h"
#include "editor/KeyNumbers.h"
#include "editor/ResizeDocument.h"
#include "editor/Selection.h"
#include "editor/ToolSettings.h"

namespace twk {

namespace {

// A tool setting was changed by `key`: write it into the item under
// construction (reporting when that changed it) or into the selected items,
// then report the settings.
void AfterToolSetting(Editor& ed, SelectionMember member, int key) {
  if (ed.state.Constructing) {
    if (TWKDATA* item = ed.state.ConstructionItem) {
      if (ApplyChange(*item, SelectionChange{member}, ed.state)) ed.documentChanged();
    }
  } else {
    ApplyToSelection(ed, SelectionChange{member, 0, 0, 0, key});
  }
  ed.toolSettingsChanged();
}

void NextMethod(Editor& ed) {
  ed.state.CurDrawMethod = NextDrawMethod(ed.state.CurDrawMethod);
  AfterToolSetting(ed, SelectionMember::kSetDrawMethod, keys::kM);
}
void NextStyle(Editor& ed) {
  ed.state.CurDrawMethod2 = NextEndStyle(ed.state.CurDrawMethod2);
  AfterToolSetting(ed, SelectionMember::kSetEndStyle, keys::kV);
}
void StepWidth(Editor& ed, float step, int key) {
  ed.state.CurDrawWidth = SteppedWidth(ed.state.CurDrawWidth, step);
  AfterToolSetting(ed, SelectionMember::kSetWidth, key);
}
void StepAlpha(Editor& ed, int step, int key) {
  ed.state.CurAlpha = SteppedAlpha(ed.state.CurAlpha, step);
  AfterToolSetting(ed, SelectionMember::kSetOpacity, key);
}

void NextType(Editor& ed) {
  if (!MayRun(UserCommand::kNextType, ed.state)) return;
  ed.state.CurType = NextItemType(ed.state.CurType);
  ed.toolSettingsChanged();
}

void Rotate(Editor& ed, float degrees, int key) {
  ApplyToSelection(ed, SelectionChange{SelectionMember::kRotate, degrees, 0, 0, key});
}
void Move(Editor& ed, float dx, float dy, int key) {
  ApplyToSelection(ed, SelectionChange{SelectionMember::kMove, 0, dx, dy, key});
}
constexpr float kMoveStep = 0.125f;

// A size key: one unit more or less, kept within 1..16 by the whole part.
// It acts even while an item is under construction (the grid then keeps
// the old size until the next rebuild).
float ResizedBy(float size, int delta) {
  const int whole = TruncateToInt(size);
  if (delta < 0 && whole > 1) return size - 1.0f;
  if (delta > 0 && whole < 16) return size + 1.0f;
  return size;
}

void Resize(Editor& ed, int dw, int dh, int key) {
  if (!MayRun(UserCommand::kDocumentSize, ed.state)) return;
  const DocumentSize before{ed.doc.TWKW, ed.doc.TWKH};
  const DocumentSize after{ResizedBy(before.w, dw), ResizedBy(before.h, dh)};
  // Bits, not values: a NaN size read from a file counts as unchanged.
  if (std::bit_cast<std::uint32_t>(after.w) == std::bit_cast<std::uint32_t>(before.w) &&
      std::bit_cast<std::uint32_t>(after.h) == std::bit_cast<std::uint32_t>(before.h)) {
    return;
  }
  RunEdit(ed, std::make_unique<ResizeDocument>(before, after), key);
}

const std::array<KeyCommand, 25> kTable = {{
    {keys::k3, "fix second control point or arc end angle", FixSecondControlPoint},
    {keys::k2, "fix first control point or arc start angle", FixFirstControlPoint},
    {keys::k1, "fix start point", FixStartPoint},
    {keys::kEsc, "cancel construction", CancelConstruction},
    {keys::kM, "next draw method", NextMethod},
    {keys::kV, "next end style", NextStyle},
    {keys::kT, "next item type", NextType},
    {keys::kA, "rotate by -1 degree", [](Editor& ed) { Rotate(ed, -1.0f, keys::kA); }},
    {keys::kD, "rotate by +1 degree", [](Editor& ed) { Rotate(ed, 1.0f, keys::kD); }},
    {keys::kW, "opacity +5", [](Editor& ed) { StepAlpha(ed, kAlphaStep, keys::kW); }},
    {keys::kS, "opacity -5", [](Editor& ed) { StepAlpha(ed, -kAlphaStep, keys::kS); }},
    {keys::kUp, "move up", [](Editor& ed) { Move(ed, 0, -kMoveStep, keys::kUp); }},
    {keys::kDown, "move down", [](Editor& ed) { Move(ed, 0, kMoveStep, keys::kDown); }},
    {keys::kLeft, "move left", [](Editor& ed) { Move(ed, -kMoveStep, 0, keys::kLeft); }},
    {keys::kRight, "move right", [](Editor& ed) { Move(ed, kMoveStep, 0, keys::kRight); }},
    {keys::kPadPlus, "width +0.25", [](Editor& ed) { StepWidth(ed, kWidthStep, keys::kPadPlus); }},
    {keys::kPadMinus, "width -0.25", [](Editor& ed) { StepWidth(ed, -kWidthStep, keys::kPadMinus); }},
    {keys::kEquals, "width +0.25", [](Editor& ed) { StepWidth(ed, kWidthStep, keys::kEquals); }},
    {keys::kMinus, "width -0.25", [](Editor& ed) { StepWidth(ed, -kWidthStep, keys::kMinus); }},
    {keys::kDelete, "delete selected items", DeleteSelected},
    {keys::kSpace, "recolour selected items",
     [](Editor& ed) { ApplyToSelection(ed, SelectionChange{SelectionMember::kRecolour, 0, 0, 0, keys::kSpace}); }},
    {keys::kPad8, "document height -1", [](Editor& ed) { Resize(ed, 0, -1, keys::kPad8); }},
    {keys::kPad2, "document height +1", [](Editor& ed) { Resize(ed, 0, 1, keys::kPad2); }},
    {keys::kPad4, "document width -1", [](Editor& ed) { Resize(ed, -1, 0, keys::kPad4); }},
    {keys::kPad6, "document width +1", [](Editor& ed) { Resize(ed, 1, 0, keys::kPad6); }},
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
