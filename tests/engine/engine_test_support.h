// SPDX-License-Identifier: GPL-3.0-or-later
// Shared set-up of the engine tests: every test starts from the start-up state.
#pragma once

#include "engine/kolv_erkl.h"

#include <gtest/gtest.h>

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override { KolvErkl::ResetProgramState(); }
    void TearDown() override { KolvErkl::ResetProgramState(); }
};
