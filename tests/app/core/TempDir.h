#pragma once

#include "support/TempDir.h" // the shared one

using TempDir = zevtest::TempDir;
