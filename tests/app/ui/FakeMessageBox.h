#pragma once

#include "support/ScriptedMessageBox.h"

// Yes to questions and Ok otherwise unless scripted; safe from a worker thread.
using FakeMessageBox = zevtest::ScriptedMessageBox;
