// The editor's words for a name that the identifier rule refuses: one message per fault, in the
// language installed now, saying what the core's reasons say (model/names.h).
#pragma once

#include "model/names.h"

#include <QString>

namespace kx::ui {

// "エラー: 名前を数字で始めることはできません." and the like; empty for NameFault::kNone.
QString NameFaultMessage(kx::NameFault fault);

} // namespace kx::ui
