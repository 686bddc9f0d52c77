#pragma once

#include "tools/demogen/DemoWorld.h"

namespace zev::demo {

// What accounts and users carry besides orders: notes, messages, surveys, forms and the users.
class DemoContentBuilder final : private DemoStep {
public:
    explicit DemoContentBuilder(DemoWorld& world) : DemoStep(world) {}
    // Its steps in order.
    void Run();

private:
    void NotesAndMessages();
    void SurveysAndForms();
    void Users();
};

} // namespace zev::demo
