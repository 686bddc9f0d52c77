#pragma once

#include "support/ScriptedMessageBox.h"

// Records every message and answers Ok unless scripted.
class FakeMessageBox final : public zevtest::ScriptedMessageBox {
public:
    FakeMessageBox() : ScriptedMessageBox(WhenEmpty::Ok) {}
};
