#pragma once

#include "support/ScriptedMessageBox.h"

namespace zev::test {

// Records every message and answers from a script (Ok, or Yes for a Yes/No
// question, when the script is empty).
using ScriptedBox = zevtest::ScriptedMessageBox;

} // namespace zev::test
