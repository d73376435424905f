// The scripted dialog runner for tests: a queued script that no dialog took fails the test, so a
// dialog that stopped opening cannot pass unnoticed.
#pragma once

#include <gtest/gtest.h>

#include "platform/ScriptedDialogs.h"

namespace vendrel::testing {

class StrictDialogRunner final : public platform::ScriptedDialogRunner {
 public:
  using ScriptedDialogRunner::ScriptedDialogRunner;
  ~StrictDialogRunner() override {
    EXPECT_EQ(Pending(), 0u) << "a queued dialog script never ran: its dialog did not open";
  }
};

}  // namespace vendrel::testing
