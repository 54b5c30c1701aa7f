#include "editor/EditRules.h"

#include <array>
#include <cstddef>

namespace twk {

namespace {

constexpr std::array<UserCommandRule, 21> kRules = {{
    {UserCommand::kSetOnSelection, "tool setting into the selection", true},
    {UserCommand::kNextType, "next item type", true},
    {UserCommand::kRotate, "rotate", true},
    {UserCommand::kMove, "move", true},
    {UserCommand::kRecolour, "recolour", true},
    {UserCommand::kDocumentSize, "document size", false},
    {UserCommand::kDelete, "delete", true},
    {UserCommand::kHide, "hide", true},
    {UserCommand::kShow, "show", true},
    {UserCommand::kClone, "clone", true},
    {UserCommand::kCheckBox, "check box", true},
    {UserCommand::kRowDrag, "row drag", true},
    {UserCommand::kRowDrop, "row drop", true},
    {UserCommand::kSave, "save", true},
    {UserCommand::kLoad, "load", true},
    {UserCommand::kExportPng, "export PNG", true},
    {UserCommand::kExportCode, "export code", true},
    {UserCommand::kRedo, "redo", true},
    {UserCommand::kCopy, "copy", true},
    {UserCommand::kCut, "cut", true},
    {UserCommand::kPaste, "paste", true},
}};

// Row i of the table is the command numbered i.
constexpr bool InEnumOrder() {
  for (std::size_t i = 0; i < kRules.size(); ++i) {
    if (static_cast<std::size_t>(kRules[i].command) != i) return false;
  }
  return true;
}
static_assert(InEnumOrder(), "one row per user command, in the order of the enumeration");

}  // namespace

const UserCommandRule& RuleOf(UserCommand command) { return kRules[static_cast<std::size_t>(command)]; }

bool MayRun(UserCommand command, const EditorState& state) {
  return !(state.Constructing && RuleOf(command).refusedWhileDrawing);
}

}  // namespace twk
