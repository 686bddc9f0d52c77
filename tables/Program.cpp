#include "tables/Program.h"

namespace zev {

Program::Program(int poolKey) : Query("Program", "ProgramID", poolKey) {}

} // namespace zev
